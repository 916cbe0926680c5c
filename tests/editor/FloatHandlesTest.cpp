#include "editor/FloatHandles.h"

#include <gtest/gtest.h>

#include <climits>

using namespace floathandles;

namespace {

// A 16 x 16 spike: its centre is (268, 392).
const Bounds spike{260, 384, 16, 16};

bool at(Point point, int x, int y) {
    return point.x == x && point.y == y;
}

}  // namespace

TEST(FloatHandlesTest, HandlesStandWhereTheFloatSwingsTheCentre) {
    EXPECT_TRUE(at(place(spike, 32, 48, Handle::Horizontal), 300, 392));
    EXPECT_TRUE(at(place(spike, 32, 48, Handle::Vertical), 268, 440)) << "a positive yfloating swings downwards";
    EXPECT_TRUE(at(place(spike, -32, 0, Handle::Horizontal), 236, 392));
    // Floats not set yet wait just beyond the picture, right of it and below it.
    EXPECT_TRUE(at(place(spike, 0, 0, Handle::Horizontal), 288, 392));
    EXPECT_TRUE(at(place(spike, 0, 0, Handle::Vertical), 268, 412));

    EXPECT_EQ(handleAt(spike, 32, 48, 304, 388), Handle::Horizontal);
    EXPECT_EQ(handleAt(spike, 32, 48, 306, 392), Handle::None) << "beyond the reach";
    EXPECT_EQ(handleAt(spike, 0, 0, 268, 410), Handle::Vertical);
    EXPECT_EQ(handleAt(spike, 0, 0, 268, 392), Handle::None) << "the middle moves the trap";
    // Floats of a pixel put both handles in reach: the nearer one is taken.
    EXPECT_EQ(handleAt(spike, 1, 1, 268, 394), Handle::Vertical);
    EXPECT_EQ(handleAt(Bounds{INT_MAX - 8, 0, 16, 16}, 0, 0, INT_MAX, 8), Handle::Horizontal) << "no overflow";
}

TEST(FloatHandlesTest, ADragGivesTheHandlesDistanceOnTheGrid) {
    EXPECT_EQ(dragged(spike, 32, 48, Handle::Horizontal, 32, 5, false), 64);
    EXPECT_EQ(dragged(spike, 32, 48, Handle::Horizontal, 30, 0, false), 64);
    EXPECT_EQ(dragged(spike, 32, 48, Handle::Horizontal, 30, 0, true), 62) << "Alt: off the grid";
    EXPECT_EQ(dragged(spike, 32, 48, Handle::Vertical, 40, -16, false), 32) << "the vertical handle follows dy only";
    EXPECT_EQ(dragged(spike, 32, 48, Handle::Horizontal, -64, 0, false), -32) << "past the centre, the other side";
    // Pulled out from its waiting place 20 px right of the centre.
    EXPECT_EQ(dragged(spike, 0, 0, Handle::Horizontal, 12, 0, false), 32);
    EXPECT_EQ(dragged(spike, 0, 0, Handle::Horizontal, 0, 30, false), 0) << "not moved along its axis";
}

TEST(FloatHandlesTest, KeysWidenAFloatOnItsOwnSide) {
    EXPECT_EQ(stepped(32, 16), 48);
    EXPECT_EQ(stepped(-32, 16), -48);
    EXPECT_EQ(stepped(-16, -16), 0);
    EXPECT_EQ(stepped(8, -16), 0) << "narrowing stops at no float";
    EXPECT_EQ(stepped(0, 16), 16);
    EXPECT_EQ(stepped(INT_MAX, 16), INT_MAX);
}
