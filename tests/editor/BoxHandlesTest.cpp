#include "editor/BoxHandles.h"

#include <gtest/gtest.h>

#include <climits>

using namespace boxhandles;

TEST(BoxHandlesTest, EdgesNearThePointerAreTaken) {
    const Bounds box{100, 200, 64, 32};
    EXPECT_EQ(edgesAt(box, 130, 215), kNone) << "the middle moves the box";
    EXPECT_EQ(edgesAt(box, 101, 215), kLeft);
    EXPECT_EQ(edgesAt(box, 166, 215), kRight);
    EXPECT_EQ(edgesAt(box, 130, 197), kTop);
    EXPECT_EQ(edgesAt(box, 162, 233), kRight | kBottom);
    EXPECT_EQ(edgesAt(box, 90, 215), kNone) << "beyond the reach";
    EXPECT_EQ(edgesAt(box, 166, 260), kNone) << "in line with an edge but far below the box";
    // Both edges of a thin box are in reach: the far one is taken, so it can be made wider.
    EXPECT_EQ(edgesAt(Bounds{0, 0, 2, 40}, 1, 20), kRight);
    EXPECT_EQ(edgesAt(Bounds{INT_MAX - 10, 0, 10, 10}, INT_MAX, 5), kRight) << "no overflow at the limit";
}

TEST(BoxHandlesTest, DraggedEdgesSnapAndTheOthersStay) {
    const Bounds box{100, 200, 64, 32};
    EXPECT_EQ(resized(box, kRight, 30, 0, false), (Bounds{100, 200, 92, 32}));  // 194 snaps to 192
    EXPECT_EQ(resized(box, kRight, 30, 0, true), (Bounds{100, 200, 94, 32}));
    EXPECT_EQ(resized(box, kLeft | kTop, -20, 7, false), (Bounds{80, 208, 84, 24}));
    // An edge dragged past the other stops a pixel short of it.
    EXPECT_EQ(resized(box, kLeft, 500, 0, true), (Bounds{163, 200, 1, 32}));
    EXPECT_EQ(resized(box, kBottom, 0, -500, true), (Bounds{100, 200, 64, 1}));
    EXPECT_EQ(resized(box, kNone, 40, 40, false), box);
}
