#include "graphics/Decoration.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/GlContext.h"
#include "support/TestFiles.h"

using testsupport::readPixel;
using testsupport::Rgba;

namespace {

const double kDegree = 0.017453305555555555;
const Rgba kBlack{0, 0, 0, 255};
const Rgba kRed{255, 0, 0, 255};
const int kSize = 4;  // pixels, the test decoration is a red square

// The phase a fresh decoration gets after srand(seed).
float phaseAfterSeed(unsigned int seed) {
    std::srand(seed);
    return static_cast<float>((std::rand() % 360) * kDegree);
}

TEST(DecorationStateTest, ConstructionTakesAWholeDegreePhaseFromRand) {
    for (unsigned int seed : {1u, 7u, 12345u}) {
        float expected = phaseAfterSeed(seed);
        std::srand(seed);
        Decoration decoration;
        EXPECT_EQ(decoration.phase, expected) << seed;
        EXPECT_EQ(decoration.z, 0);
        EXPECT_FALSE(decoration.floating);
        EXPECT_EQ(decoration.texture, 0u);
        EXPECT_EQ(decoration.ticksPerFrame, 4u);
        EXPECT_EQ(decoration.frameCounter, 1);
    }
}

TEST(DecorationStateTest, SetFloatingDrawsANewPhaseEitherWay) {
    Decoration decoration;
    for (bool value : {true, false}) {
        float expected = phaseAfterSeed(99);
        std::srand(99);
        decoration.phase = -1.0f;
        decoration.setFloating(value);
        EXPECT_EQ(decoration.floating, value);
        EXPECT_EQ(decoration.phase, expected);
    }
}

class DecorationDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ensureGlContext();
        std::vector<unsigned char> pixels;
        for (int i = 0; i < kSize * kSize; ++i) {
            pixels.insert(pixels.end(), {255, 0, 0, 255});
        }
        testsupport::writeRgbaPng("red.png", kSize, kSize, pixels);
        decoration.load("red.png");
        decoration.phase = 0.0f;
    }

    // True when the red square's top-left corner is exactly at (left, top) on screen.
    ::testing::AssertionResult drawnAt(int left, int top) {
        const std::vector<std::pair<int, int>> inside = {
            {left, top}, {left + kSize - 1, top}, {left, top + kSize - 1}, {left + kSize - 1, top + kSize - 1}};
        const std::vector<std::pair<int, int>> outside = {
            {left - 1, top}, {left, top - 1}, {left + kSize, top}, {left, top + kSize}};
        for (auto p : inside) {
            if (!(readPixel(p.first, p.second) == kRed)) {
                return ::testing::AssertionFailure() << "no red at " << p.first << "," << p.second;
            }
        }
        for (auto p : outside) {
            if (!(readPixel(p.first, p.second) == kBlack)) {
                return ::testing::AssertionFailure() << "colour at " << p.first << "," << p.second;
            }
        }
        return ::testing::AssertionSuccess();
    }

    bool anythingDrawnNear(int left, int top) {
        for (int y = top - 2; y < top + kSize + 2; ++y) {
            for (int x = left - 2; x < left + kSize + 2; ++x) {
                if (x >= 0 && y >= 0 && !(readPixel(x, y) == kBlack)) {
                    return true;
                }
            }
        }
        return false;
    }

    testsupport::ScopedTempDir dir;
    Decoration decoration;
};

TEST_F(DecorationDrawTest, DepthZeroMovesWithTheWorld) {
    decoration.x = 50;
    decoration.y = 60;
    decoration.draw(10, 5, 20, 30, 600, 400);
    EXPECT_TRUE(drawnAt(40, 35));
}

// View (201, 10): 201 x 1 / 2 = 100 and (10 / 2) / 4 = 1, each division truncating.
TEST_F(DecorationDrawTest, DepthOneScrollsAtHalfSpeed) {
    decoration.z = 1;
    decoration.x = 300;
    decoration.y = 60;
    decoration.draw(0, 0, 201, 10, 600, 400);
    EXPECT_TRUE(drawnAt(300 + 100 - 201, 60 + 1 - 10));
}

TEST_F(DecorationDrawTest, DepthThreeTruncatesEachDivision) {
    decoration.z = 3;
    decoration.x = 100;
    decoration.y = 100;
    decoration.draw(0, 0, 10, 10, 600, 400);
    // sx = 100 + 30 / 4 = 107; sy = 100 + (30 / 4) / 4 = 101.
    EXPECT_TRUE(drawnAt(107 - 10, 101 - 10));
}

// A still piece stands at its y whatever its phase, behind the world too; parallax still applies.
TEST_F(DecorationDrawTest, AStillPieceNeverBobs) {
    decoration.still = true;
    decoration.x = 100;
    decoration.y = 100;
    decoration.phase = 1.5f;  // 20 sin 1.5 = 19 pixels for a piece that is not still
    decoration.draw(0, 0, 0, 0, 600, 400);
    EXPECT_TRUE(drawnAt(100, 100));

    testsupport::clearScreen();
    decoration.floating = true;
    decoration.z = 3;
    decoration.draw(0, 0, 10, 10, 600, 400);
    EXPECT_TRUE(drawnAt(107 - 10, 101 - 10));
}

// View (201, 40): -201 / 2 = -100 toward zero, and y - (-40 / -2) / 4 = y - 5.
TEST_F(DecorationDrawTest, DepthMinusOneScrollsFaster) {
    decoration.z = -1;
    decoration.x = 400;
    decoration.y = 100;
    decoration.floating = true;  // never bobs in front of the world
    decoration.phase = 1.5f;
    decoration.draw(0, 0, 201, 40, 600, 400);
    EXPECT_TRUE(drawnAt(400 - 100 - 201, 100 - 5 - 40));
}

// View (-201, -42): 201 / 2 = 100; 42 / -2 = -21 and -21 / 4 = -5, both toward zero.
TEST_F(DecorationDrawTest, DepthMinusOneWithANegativeView) {
    decoration.z = -1;
    decoration.x = 0;
    decoration.y = 0;
    decoration.draw(0, 0, -201, -42, 600, 400);
    EXPECT_TRUE(drawnAt(0 + 100 + 201, 0 + 5 + 42));
}

TEST_F(DecorationDrawTest, PhaseOffsetsTheHeightEvenWithoutFloating) {
    decoration.x = 20;
    decoration.y = 50;
    decoration.phase = 0.5f;  // 20 sin 0.5 = 9.59
    decoration.draw(0, 0, 0, 0, 600, 400);
    EXPECT_TRUE(drawnAt(20, 59));

    testsupport::clearScreen();
    decoration.y = -50;  // -40.41 truncates to -40
    decoration.draw(0, 0, 0, -100, 600, 400);
    EXPECT_TRUE(drawnAt(20, 60));
}

// The phase steps before the position is worked out: 20 sin 1 degree = 0.35, which moves a
// negative height from -50 to -49.65, truncated to -49.
TEST_F(DecorationDrawTest, ThePhaseOnShowPlacesIt) {
    decoration.x = 20;
    decoration.y = -50;
    decoration.draw(0, 0, 0, -100, 600, 400);
    EXPECT_TRUE(drawnAt(20, 50));

    testsupport::clearScreen();
    decoration.floating = true;
    decoration.phase = nextBobPhase(0.0f);
    decoration.draw(0, 0, 0, -100, 600, 400);
    EXPECT_TRUE(drawnAt(20, 51));
}

// View (100, 100) of 200 x 100 drawn at (300, 300): everything outside it is culled even
// where the window would show it.
TEST_F(DecorationDrawTest, CullsAgainstTheView) {
    struct Case {
        int x, y;
        bool drawn;
    };
    for (Case c : {Case{96, 150, false}, Case{97, 150, true}, Case{299, 150, true}, Case{300, 150, false},
                   Case{150, 96, false}, Case{150, 97, true}, Case{150, 199, true}, Case{150, 200, false}}) {
        testsupport::clearScreen();
        decoration.x = c.x;
        decoration.y = c.y;
        decoration.draw(300, 300, 100, 100, 200, 100);
        int left = 300 - 100 + c.x;
        int top = 300 - 100 + c.y;
        if (c.drawn) {
            EXPECT_TRUE(drawnAt(left, top)) << c.x << "," << c.y;
        } else {
            EXPECT_FALSE(anythingDrawnNear(left, top)) << c.x << "," << c.y;
        }
    }
}

TEST_F(DecorationDrawTest, WithoutPictureNothingShows) {
    Decoration empty;
    empty.phase = 0.0f;
    empty.x = 50;
    empty.y = 50;
    empty.draw(0, 0, 0, 0, 600, 400);
    EXPECT_FALSE(anythingDrawnNear(50, 50));
}

// Level values near the int limits: sums are formed without overflow, so the view test and
// the position still come out as the plain rules give them.
TEST_F(DecorationDrawTest, ExtremeLevelValuesKeepExactPositions) {
    decoration.x = INT_MAX - 2;
    decoration.y = 10;
    decoration.draw(0, 0, INT_MAX - 100, 0, 200, 100);
    EXPECT_TRUE(drawnAt(98, 10));

    // 1000 x INT_MIN / (1 + 2^31) = -999.9..., and 400 x INT_MIN / (INT_MIN - 1) = 399.9...
    testsupport::clearScreen();
    decoration.z = INT_MIN;
    decoration.x = 2200;
    decoration.y = 550;
    decoration.draw(0, 0, 1000, 400, 600, 400);
    EXPECT_TRUE(drawnAt(2200 - 999 - 1000, 550 - 99 - 400));

    testsupport::clearScreen();
    decoration.z = INT_MAX;
    decoration.x = 200;
    decoration.y = 400;
    decoration.draw(0, 0, 1000, 400, 600, 400);
    // 1000 x z / (z + 1) = 999; (400 x z / (z + 1)) / 4 = 399 / 4 = 99.
    EXPECT_TRUE(drawnAt(200 + 999 - 1000, 400 + 99 - 400));

    // Under the sanitizers this catches any overflow left in the placement.
    testsupport::clearScreen();
    for (int z : {INT_MIN, -1, 0, 1, INT_MAX}) {
        decoration.z = z;
        decoration.x = INT_MIN;
        decoration.y = INT_MAX;
        decoration.draw(INT_MAX, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX);
        decoration.draw(INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MAX, INT_MAX);
    }
    EXPECT_FALSE(anythingDrawnNear(100, 100));
}

}  // namespace
