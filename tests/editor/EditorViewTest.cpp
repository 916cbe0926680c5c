#include "editor/EditorView.h"

#include <gtest/gtest.h>

#include <climits>

TEST(EditorViewTest, SnapsToTheNearestGridLineOnBothSidesOfZero) {
    EXPECT_EQ(snapped(7, false), 0);
    EXPECT_EQ(snapped(8, false), 16);
    EXPECT_EQ(snapped(23, false), 16);
    EXPECT_EQ(snapped(-7, false), 0);
    EXPECT_EQ(snapped(-8, false), 0);
    EXPECT_EQ(snapped(-9, false), -16);
    EXPECT_EQ(snapped(-24, false), -16);
    EXPECT_EQ(snapped(-25, false), -32);
    EXPECT_EQ(snapped(23, true), 23);
    // Near the limits the grid saturates rather than wrapping.
    EXPECT_EQ(snapped(INT_MAX, false), INT_MAX);
    EXPECT_EQ(snapped(INT_MIN, false), INT_MIN);
}

TEST(EditorViewTest, PanningFollowsThePointerAndTheLevelStaysInSight) {
    EditorView view(100, 50);
    view.pan(30, -10);
    EXPECT_EQ(view.x, 70);
    EXPECT_EQ(view.y, 60);
    EXPECT_EQ(view.toLevelX(5), 75);
    EXPECT_EQ(view.toWindowY(60), 0);
    view.scroll(2, false);
    EXPECT_EQ(view.y, 60 + 2 * EditorView::kWheelStep);

    view.x = 100000;
    view.y = -100000;
    view.keepLevelInSight(2080, 480, 640, 480);
    EXPECT_EQ(view.x, 2080 - EditorView::kMargin);
    EXPECT_EQ(view.y, EditorView::kMargin - 480);
    // A level smaller than the margin is not pushed out of the window the other way.
    view.x = 5;
    view.keepLevelInSight(10, 10, 640, 480);
    EXPECT_LE(view.toWindowX(10), 640);
    EXPECT_GE(view.toWindowX(0), 0 - 10);
}
