#include <gtest/gtest.h>

#include "app/WindowScale.h"

TEST(WindowScaleTest, LargestWholeNumberAtWhichTheViewStillFits) {
    EXPECT_EQ(wholeScale(1280, 1024, 640, 480), 2);
    EXPECT_EQ(wholeScale(1920, 1080, 640, 480), 2) << "the height decides";
    EXPECT_EQ(wholeScale(2560, 1440, 640, 480), 3);
    EXPECT_EQ(wholeScale(1920, 1440, 640, 480), 3) << "an exact fit counts";
    EXPECT_EQ(wholeScale(1919, 1440, 640, 480), 2);
    EXPECT_EQ(wholeScale(3840, 1000, 640, 480), 2) << "the width may hold more";
}

TEST(WindowScaleTest, NeverBelowOneAndOneWithoutAView) {
    EXPECT_EQ(wholeScale(640, 480, 640, 480), 1);
    EXPECT_EQ(wholeScale(320, 240, 640, 480), 1) << "a view larger than the window is cut, not shrunk";
    EXPECT_EQ(wholeScale(1280, 1024, 0, 0), 1);
    EXPECT_EQ(wholeScale(1280, 1024, -640, 480), 1);
    EXPECT_EQ(wholeScale(1, 1, 640, 480), 1);
}
