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

TEST(WindowScaleTest, TooMuchBlackOnlyWhenTheWholeNumberLeavesOverAThirdOfTheHeight) {
    EXPECT_FALSE(wholeScaleLeavesTooMuchBlack(1920, 1080, 640, 480)) << "960 of 1080";
    EXPECT_FALSE(wholeScaleLeavesTooMuchBlack(1280, 720, 640, 480)) << "exactly a third";
    EXPECT_TRUE(wholeScaleLeavesTooMuchBlack(1366, 768, 640, 480));
    EXPECT_TRUE(wholeScaleLeavesTooMuchBlack(1280, 1024, 400, 200));
    EXPECT_FALSE(wholeScaleLeavesTooMuchBlack(1280, 1024, 640, 1100)) << "taller than the window: cut";
    EXPECT_FALSE(wholeScaleLeavesTooMuchBlack(1280, 1024, 0, 0));
}

TEST(WindowScaleTest, SharpFitFillsTheShortSideKeepingTheAspectCentred) {
    const PictureFit wide = sharpFit(1920, 1080, 640, 480);
    EXPECT_EQ(wide.whole, 2);
    EXPECT_TRUE(wide.shown == (Bounds{240, 0, 1440, 1080}));
    const PictureFit laptop = sharpFit(1366, 768, 640, 480);
    EXPECT_EQ(laptop.whole, 1);
    EXPECT_TRUE(laptop.shown == (Bounds{171, 0, 1024, 768}));
    const PictureFit tall = sharpFit(800, 1000, 640, 480);
    EXPECT_EQ(tall.whole, 1);
    EXPECT_TRUE(tall.shown == (Bounds{0, 200, 800, 600}));
    const PictureFit small = sharpFit(320, 200, 640, 480);
    EXPECT_EQ(small.whole, 1) << "shrunk, never below one";
    EXPECT_TRUE(small.shown == (Bounds{27, 0, 266, 200}));
    const PictureFit none = sharpFit(1280, 1024, 0, 480);
    EXPECT_EQ(none.whole, 1);
    EXPECT_TRUE(none.shown == (Bounds{0, 0, 0, 480}));
}
