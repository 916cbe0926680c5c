#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "WorldTestSupport.h"
#include "support/TestFiles.h"

namespace {

using worldtest::addPlatform;
using worldtest::addTrap;
using worldtest::FakeSoundSource;
using worldtest::makePlayer;
using worldtest::RecordingSoundEngine;
using worldtest::tick;

// A 2000 x 600 level with a floor whose top is at y 400; the player stands on it at x 100.
class MotionTest : public ::testing::Test {
protected:
    static constexpr int kFloorTop = 400;
    static constexpr int kStandY = kFloorTop - 46;

    void SetUp() override {
        level.width = 2000;
        level.height = 600;
        addPlatform(level, 0, kFloorTop, 2000, 20);
        player = makePlayer(100, kStandY);
        worldtest::listen(*player, engine, jumpSound, landSound);
    }

    // A player placed on the floor lands on its second tick; afterwards it is at rest.
    void settle() {
        EXPECT_FALSE(tick(level, *player));
        EXPECT_FALSE(tick(level, *player));
        ASSERT_TRUE(player->grounded);
        ASSERT_EQ(player->velocityY, 0);
        ASSERT_EQ(player->y, kStandY);
    }

    // The game's jump key: jumps only when the box one pixel down (or up while rising) is blocked.
    bool pressJump() {
        if (!collides(level, player->probeVertical(1))) {
            return false;
        }
        worldtest::jump(*player);
        return true;
    }

    testsupport::ScopedTempDir dir;  // no sprites: the motion needs no picture
    Level level;
    RecordingSoundEngine engine;
    FakeSoundSource jumpSound;
    FakeSoundSource landSound;
    std::unique_ptr<Player> player;
};

TEST_F(MotionTest, PlayerPlacedOnPlatformLandsOnItsSecondTick) {
    tick(level, *player);
    EXPECT_EQ(player->velocityY, 30);
    EXPECT_FALSE(player->grounded);
    EXPECT_EQ(engine.playsOf(&landSound), 0);
    tick(level, *player);
    EXPECT_TRUE(player->grounded);
    EXPECT_EQ(player->velocityY, 0);
    EXPECT_EQ(player->friction, 20);
    EXPECT_EQ(player->y, kStandY);
    ASSERT_EQ(engine.playsOf(&landSound), 1);
    EXPECT_FLOAT_EQ(engine.plays[0].position.X, (100 + 17) / 128.0f);
    EXPECT_FLOAT_EQ(engine.plays[0].position.Y, kFloorTop / 128.0f);
    EXPECT_FALSE(engine.plays[0].looped);
}

TEST_F(MotionTest, StandingCycleAlternatesWithoutFurtherLandingSounds) {
    settle();
    for (int i = 0; i < 6; ++i) {
        tick(level, *player);
        EXPECT_EQ(player->velocityY, 30);
        EXPECT_EQ(player->friction, 0);
        tick(level, *player);
        EXPECT_EQ(player->velocityY, 0);
        EXPECT_EQ(player->friction, 20);
        EXPECT_EQ(player->y, kStandY);
        EXPECT_TRUE(player->grounded);
    }
    EXPECT_EQ(engine.playsOf(&landSound), 1);
}

TEST_F(MotionTest, WalkingFromRestAcceleratesAsCounted) {
    settle();
    player->walkAcceleration = 15;
    const int expected[] = {15, 30, 45, 60};
    for (int t = 1; t <= 4; ++t) {
        tick(level, *player);
        EXPECT_EQ(player->velocityX, expected[t - 1]) << "tick " << t;
        EXPECT_EQ(player->x, 100) << "tick " << t;
        EXPECT_EQ(player->y, kStandY) << "tick " << t;
    }
    // Tick 4 asked for one pixel right and one down: y is the major axis, the floor blocks it.
    EXPECT_TRUE(player->grounded);
    EXPECT_EQ(player->velocityY, 0);
    EXPECT_EQ(player->friction, 20);

    tick(level, *player);
    EXPECT_EQ(player->velocityX, 75);
    EXPECT_EQ(player->x, 101);
    EXPECT_EQ(player->y, kStandY);

    for (int t = 6; t <= 30; ++t) {
        const int before = player->x;
        tick(level, *player);
        const int speed = t < 27 ? 15 * t : 400;
        EXPECT_EQ(player->velocityX, speed) << "tick " << t;
        EXPECT_EQ(player->x - before, speed / 60) << "tick " << t;
        EXPECT_EQ(player->velocityY, 0) << "tick " << t;
        EXPECT_EQ(player->y, kStandY) << "tick " << t;
    }
    EXPECT_EQ(engine.playsOf(&landSound), 1);
}

TEST_F(MotionTest, StandingJumpFromRestRises110AndLands43TicksLater) {
    settle();
    ASSERT_TRUE(pressJump());
    EXPECT_EQ(player->velocityY, -660);
    ASSERT_EQ(engine.playsOf(&jumpSound), 1);
    EXPECT_FLOAT_EQ(engine.plays.back().position.Y, kFloorTop / 128.0f);

    int highest = player->y;
    int landedAt = 0;
    for (int t = 1; t <= 60 && landedAt == 0; ++t) {
        tick(level, *player);
        highest = std::min(highest, player->y);
        if (player->grounded) {
            landedAt = t;
        }
        EXPECT_EQ(engine.playsOf(&landSound), landedAt == 0 ? 1 : 2) << "tick " << t;
    }
    EXPECT_EQ(kStandY - highest, 110);
    EXPECT_EQ(landedAt, 43);
    EXPECT_EQ(player->y, kStandY);
    EXPECT_EQ(engine.playsOf(&jumpSound), 1);
}

TEST_F(MotionTest, JumpOnTheOffBeatStartsAtMinus630AndRises100) {
    settle();
    tick(level, *player);
    ASSERT_EQ(player->velocityY, 30);
    ASSERT_TRUE(pressJump());
    EXPECT_EQ(player->velocityY, -630);

    int highest = player->y;
    int landedAt = 0;
    for (int t = 1; t <= 60 && landedAt == 0; ++t) {
        tick(level, *player);
        highest = std::min(highest, player->y);
        if (player->grounded) {
            landedAt = t;
        }
    }
    EXPECT_EQ(kStandY - highest, 100);
    EXPECT_EQ(landedAt, 41);
    EXPECT_EQ(engine.playsOf(&landSound), 2);
}

TEST_F(MotionTest, NoJumpInMidAir) {
    settle();
    ASSERT_TRUE(pressJump());
    for (int t = 0; t < 5; ++t) {
        tick(level, *player);
    }
    EXPECT_FALSE(pressJump());
    EXPECT_EQ(engine.playsOf(&jumpSound), 1);
}

TEST_F(MotionTest, FrictionAfterReleaseStopsInSteps) {
    settle();
    player->walkAcceleration = 15;
    for (int t = 0; t < 30; ++t) {
        tick(level, *player);
    }
    ASSERT_EQ(player->velocityX, 400);
    player->walkAcceleration = 0;

    std::vector<int> expected;
    for (int speed = 380; speed >= 60; speed -= 20) {
        expected.push_back(speed);
    }
    // Below 60 the player no longer moves; ticks that end before the probes keep friction 0.
    for (int speed : {40, 40, 20, 20, 0, 0, 0}) {
        expected.push_back(speed);
    }
    for (size_t t = 0; t < expected.size(); ++t) {
        const int before = player->x;
        tick(level, *player);
        EXPECT_EQ(player->velocityX, expected[t]) << "tick " << t + 1;
        EXPECT_EQ(player->x - before, expected[t] / 60) << "tick " << t + 1;
    }
}

TEST_F(MotionTest, NoFrictionInTheAir) {
    settle();
    player->walkAcceleration = 15;
    for (int t = 0; t < 30; ++t) {
        tick(level, *player);
    }
    ASSERT_TRUE(pressJump());
    player->walkAcceleration = 0;

    // The tick that leaves the ground still has the last landing's friction.
    tick(level, *player);
    EXPECT_EQ(player->velocityX, 380);
    EXPECT_FALSE(player->grounded);
    int flightTicks = 1;
    while (!player->grounded && flightTicks < 100) {
        tick(level, *player);
        EXPECT_EQ(player->velocityX, 380);
        ++flightTicks;
    }
    EXPECT_TRUE(player->grounded);
    tick(level, *player);
    EXPECT_EQ(player->velocityX, 360);
}

TEST_F(MotionTest, SlopeIsA32BitFloatAndTheMinorCoordinateTruncates) {
    // 6 right and 4 up: x is the major axis. The slope -4/6 stored as a 32-bit float is a hair
    // steeper than -2/3, so even the target candidate comes out at 4.0000001 up, truncated to 5.
    player->y = 200;
    player->velocityX = 360;
    player->velocityY = -300;
    tick(level, *player);
    EXPECT_EQ(player->x, 106);
    EXPECT_EQ(player->y, 195);
}

TEST_F(MotionTest, SteeringInTheAir) {
    player->y = 50;
    player->velocityX = 200;
    for (int t = 1; t <= 5; ++t) {
        tick(level, *player);
        EXPECT_EQ(player->velocityX, 200);
    }
    player->walkAcceleration = -15;
    for (int t = 1; t <= 5; ++t) {
        tick(level, *player);
        EXPECT_EQ(player->velocityX, 200 - 15 * t);
        EXPECT_FALSE(player->grounded);
    }
}

TEST_F(MotionTest, NoSlidingWithinATick) {
    // Falling diagonally onto the floor: every candidate on the line lies in the floor,
    // though the purely horizontal move would be free.
    player->velocityX = 180;
    player->velocityY = 270;
    ASSERT_FALSE(collides(level, Bounds{103, kStandY, 34, 46}));
    tick(level, *player);
    EXPECT_EQ(player->x, 100);
    EXPECT_EQ(player->y, kStandY);
    EXPECT_EQ(player->velocityX, 180);
    EXPECT_EQ(player->velocityY, 0);
    EXPECT_TRUE(player->grounded);
}

TEST_F(MotionTest, SweepTakesTheFreeBoxNearestTheTarget) {
    // Diagonal fall into a step: the line is searched from the far end, and its minor
    // coordinate is truncated toward zero.
    player->y = kStandY - 3;
    player->velocityX = 180;
    player->velocityY = 270;  // one tick: dx 3, dy 5
    tick(level, *player);
    // Candidates from the target back: 5 and 4 pixels down are blocked; 3 down is free, with
    // x = 100 + 0.6 x 3 = 101.8, truncated to 101.
    EXPECT_EQ(player->y, kStandY);
    EXPECT_EQ(player->x, 101);
    EXPECT_TRUE(player->grounded);
}

TEST_F(MotionTest, FastFallPassesThroughAThinPlatform) {
    addPlatform(level, 0, 100, 2000, 2);
    player->y = 40;
    player->velocityY = 3750;  // 3780 after gravity: 63 pixels this tick, past the platform
    tick(level, *player);
    EXPECT_EQ(player->y, 103);
    EXPECT_FALSE(player->grounded);
}

TEST_F(MotionTest, SlowFallIsStoppedByTheSameThinPlatform) {
    addPlatform(level, 0, 100, 2000, 2);
    player->y = 40;
    player->velocityY = 1170;  // 1200 after gravity: 20 pixels this tick, into the platform
    tick(level, *player);
    EXPECT_EQ(player->y, 54);
    EXPECT_TRUE(player->grounded);
}

TEST_F(MotionTest, TheStartIsNeverTested) {
    // Inside a thick block, every candidate of a short move is blocked: the player stays.
    addPlatform(level, 500, 100, 200, 200);
    player->x = 550;
    player->y = 150;
    player->velocityY = 270;
    tick(level, *player);
    EXPECT_EQ(player->x, 550);
    EXPECT_EQ(player->y, 150);
    EXPECT_TRUE(player->grounded);

    // A move whose target is free leaves the block, though the start overlapped it.
    player->y = 250;
    player->velocityY = 3000;  // 50 pixels down this tick
    tick(level, *player);
    EXPECT_EQ(player->y, 300);
}

TEST_F(MotionTest, CeilingHitStopsTheRiseAndFallsNextTick) {
    addPlatform(level, 0, 80, 2000, 20);
    player->y = 105;
    player->velocityY = -600;  // -570 after gravity: 9 pixels up, 4 of them free
    tick(level, *player);
    EXPECT_EQ(player->y, 100);
    EXPECT_EQ(player->velocityY, 0);
    EXPECT_FALSE(player->grounded);
    EXPECT_EQ(player->friction, 0);
    EXPECT_EQ(engine.playsOf(&landSound), 0);

    tick(level, *player);
    EXPECT_EQ(player->y, 100);
    tick(level, *player);
    EXPECT_EQ(player->y, 101);
}

TEST_F(MotionTest, JumpIntoALowCeilingLeavesTheGroundInThatTick) {
    addPlatform(level, 0, kStandY - 5 - 20, 2000, 20);
    settle();
    ASSERT_TRUE(pressJump());
    tick(level, *player);
    EXPECT_EQ(player->y, kStandY - 5);
    EXPECT_EQ(player->velocityY, 0);
    EXPECT_FALSE(player->grounded);
    EXPECT_EQ(player->friction, 0);
    // Stopped under the ceiling, velocityY is 0: the jump key looks one pixel down, finds nothing.
    EXPECT_FALSE(pressJump());
}

TEST_F(MotionTest, RisingAgainstACeilingMayJumpAgain) {
    addPlatform(level, 0, 80, 2000, 20);
    player->y = 100;
    player->velocityY = -300;
    EXPECT_TRUE(pressJump());
    EXPECT_EQ(player->velocityY, -960);
}

TEST_F(MotionTest, WalkingOffALedgeBecomesAirborneBeyondTheEdge) {
    Level ledge;
    ledge.width = 1000;
    ledge.height = 1000;
    addPlatform(ledge, 0, kFloorTop, 100, 20);
    player->x = 40;
    tick(ledge, *player);
    tick(ledge, *player);
    ASSERT_TRUE(player->grounded);
    player->walkAcceleration = 15;
    player->velocityX = 300;

    bool wasGrounded = true;
    for (int t = 0; t < 20 && wasGrounded; ++t) {
        const int before = player->x;
        tick(ledge, *player);
        if (player->x == before) {
            continue;
        }
        // The probe one pixel down still finds the platform while the box's left edge is before 100.
        EXPECT_EQ(player->grounded, player->x < 100) << "x " << player->x;
        wasGrounded = player->grounded;
    }
    EXPECT_FALSE(wasGrounded);
    EXPECT_EQ(player->friction, 0);
}

TEST_F(MotionTest, InsideCornerStopsBothWaysAndGrounds) {
    addPlatform(level, 300, 0, 20, kFloorTop);
    player->x = 300 - 34;
    player->velocityX = 120;
    tick(level, *player);
    EXPECT_EQ(player->x, 300 - 34);
    EXPECT_EQ(player->y, kStandY);
    EXPECT_EQ(player->velocityX, 0);
    EXPECT_EQ(player->velocityY, 0);
    EXPECT_TRUE(player->grounded);
    EXPECT_EQ(engine.playsOf(&landSound), 1);
}

TEST_F(MotionTest, CornerPointNeitherStopsNorGrounds) {
    // The move ends with the box's bottom-right corner on the platform's top-left corner.
    player->x = 100;
    player->y = 100;
    player->velocityX = 180;
    player->velocityY = 270;  // dx 3, dy 5
    addPlatform(level, 103 + 34, 105 + 46, 50, 10);
    tick(level, *player);
    EXPECT_EQ(player->x, 103);
    EXPECT_EQ(player->y, 105);
    EXPECT_EQ(player->velocityX, 180);
    EXPECT_EQ(player->velocityY, 300);
    EXPECT_FALSE(player->grounded);
}

TEST_F(MotionTest, DiagonalMoveStopsAtTheLastFreeBoxOfItsLine) {
    // dx = dy = 4 toward a wall 2 pixels to the right: the candidates run down the diagonal
    // and the first free one from the far end is 2 pixels right and 2 down.
    addPlatform(level, 100 + 34 + 2, 0, 10, 300);
    player->y = 200;
    player->velocityX = 240;
    player->velocityY = 210;
    tick(level, *player);
    EXPECT_EQ(player->x, 102);
    EXPECT_EQ(player->y, 202);
    EXPECT_EQ(player->velocityX, 0);
}

TEST_F(MotionTest, LevelLeftEdgeBlocks) {
    player->x = 0;
    player->velocityX = -120;
    tick(level, *player);
    tick(level, *player);
    EXPECT_EQ(player->x, 0);
    EXPECT_EQ(player->velocityX, 0);
}

TEST_F(MotionTest, LevelTopEdgeBlocksLikeACeiling) {
    player->y = 3;
    player->velocityY = -600;
    tick(level, *player);
    EXPECT_EQ(player->y, 0);
    EXPECT_EQ(player->velocityY, 0);
    EXPECT_FALSE(player->grounded);
}

TEST_F(MotionTest, LevelRightEdgeMayBeTouchedNotPassed) {
    player->x = 2000 - 34 - 4;
    player->velocityX = 400;
    tick(level, *player);
    EXPECT_EQ(player->x, 2000 - 34);
    EXPECT_EQ(player->velocityX, 0);
    player->velocityX = 400;
    tick(level, *player);
    EXPECT_EQ(player->x, 2000 - 34);
}

TEST_F(MotionTest, OpenBottomIsNotBlockedButIsAHazard) {
    Level pit;
    pit.width = 500;
    pit.height = 300;
    player->y = 0;
    int lastY = player->y;
    int ticks = 0;
    bool hit = false;
    while (!hit && ticks < 200) {
        hit = tick(pit, *player);
        ++ticks;
        EXPECT_GE(player->y, lastY);
        EXPECT_EQ(hit, player->y + 46 > 300) << "y " << player->y;
        lastY = player->y;
    }
    EXPECT_TRUE(hit);
    EXPECT_FALSE(player->grounded);
}

TEST_F(MotionTest, FreeFallHasNoSpeedLimit) {
    Level deep;
    deep.width = 500;
    deep.height = 1000000;
    player->y = 0;
    for (int t = 1; t <= 99; ++t) {
        tick(deep, *player);
    }
    const int before = player->y;
    tick(deep, *player);
    EXPECT_EQ(player->velocityY, 3000);
    EXPECT_EQ(player->y - before, 50);
}

TEST_F(MotionTest, ZeroWidthPlatformBlocksLikeAVerticalLine) {
    addPlatform(level, 200, 0, 0, kFloorTop);
    player->x = 160;  // right edge 194
    player->velocityX = 400;
    tick(level, *player);
    tick(level, *player);
    // A box whose right edge reaches the line only touches it; one pixel further is blocked.
    EXPECT_EQ(player->x, 200 - 34);
    EXPECT_EQ(player->velocityX, 0);
}

TEST_F(MotionTest, TrapsAreHitOnOverlapOnly) {
    settle();
    const int trapY = kStandY + 10;
    Trap* trap = addTrap(level, 300, trapY, 20, 20);
    EXPECT_FALSE(touchesHazard(level, player->box()));
    // Bottom edge on the trap's top edge: no touch.
    EXPECT_FALSE(touchesHazard(level, Bounds{300, trapY - 46, 34, 46}));
    EXPECT_TRUE(touchesHazard(level, Bounds{300, trapY - 45, 34, 46}));
    EXPECT_FALSE(touchesHazard(level, Bounds{300 - 34, trapY, 34, 46}));
    EXPECT_TRUE(touchesHazard(level, Bounds{300 - 33, trapY, 34, 46}));

    player->x = 300 - 34 - 3;
    player->walkAcceleration = 15;
    player->velocityX = 300;
    EXPECT_TRUE(tick(level, *player));
    EXPECT_EQ(trap->x, 300);
}

TEST_F(MotionTest, PointTrapHitsOnlyStrictlyInside) {
    addTrap(level, 120, kStandY + 10, 0, 0);
    EXPECT_TRUE(touchesHazard(level, Bounds{100, kStandY, 34, 46}));
    EXPECT_FALSE(touchesHazard(level, Bounds{120, kStandY, 34, 46}));
    EXPECT_FALSE(touchesHazard(level, Bounds{86, kStandY, 34, 46}));
    EXPECT_TRUE(touchesHazard(level, Bounds{87, kStandY, 34, 46}));
    EXPECT_FALSE(touchesHazard(level, Bounds{100, kStandY + 10, 34, 46}));
    EXPECT_FALSE(touchesHazard(level, Bounds{100, kStandY + 10 - 46, 34, 46}));
}

TEST(MovementRules, CollidesChecksEdgesThenPlatforms) {
    Level level;
    level.width = 100;
    level.height = 100;
    EXPECT_FALSE(collides(level, Bounds{0, 0, 100, 100}));
    EXPECT_TRUE(collides(level, Bounds{-1, 0, 10, 10}));
    EXPECT_TRUE(collides(level, Bounds{0, -1, 10, 10}));
    EXPECT_TRUE(collides(level, Bounds{91, 0, 10, 10}));
    EXPECT_FALSE(collides(level, Bounds{90, 5000, 10, 10}));
    EXPECT_TRUE(collides(level, Bounds{INT_MAX, 0, INT_MAX, 10}));
    EXPECT_TRUE(collides(level, Bounds{INT_MAX - 1, 0, 2, 0}));

    worldtest::addPlatform(level, 40, 40, 20, 20);
    EXPECT_TRUE(collides(level, Bounds{30, 30, 11, 11}));
    EXPECT_FALSE(collides(level, Bounds{30, 30, 10, 10}));
}

TEST(MovementRules, HazardBelowTheLevelHeight) {
    Level level;
    level.width = 100;
    level.height = 300;
    EXPECT_FALSE(touchesHazard(level, Bounds{0, 254, 34, 46}));
    EXPECT_TRUE(touchesHazard(level, Bounds{0, 255, 34, 46}));
    EXPECT_TRUE(touchesHazard(level, Bounds{0, INT_MAX, 34, INT_MAX}));
    EXPECT_FALSE(touchesHazard(level, Bounds{0, INT_MIN, 34, 46}));
}

TEST(MovementRules, SweepWithoutDisplacementReturnsTheStart) {
    Level level;
    level.width = 100;
    const Bounds start{10, 10, 5, 5};
    const Bounds reached = sweep(level, start, start, Axis::Y, 0.0f, 1);
    EXPECT_EQ(reached.x, 10);
    EXPECT_EQ(reached.y, 10);
}

TEST(MovementRules, SweepTruncatesTheMinorCoordinateTowardZero) {
    Level level;
    level.width = 1000;
    // Candidates 12 down to 4 pixels down lie left of the level; at 3 pixels down the minor
    // coordinate 0 - 0.75 truncates to 0, not -1, and that box is free.
    const Bounds reached = sweep(level, Bounds{0, 0, 10, 10}, Bounds{-3, 12, 10, 10}, Axis::Y, -0.25f, 1);
    EXPECT_EQ(reached.y, 3);
    EXPECT_EQ(reached.x, 0);
}

TEST(MovementRules, PlainObjectsMoveThroughTheSameStep) {
    Level level;
    level.width = 200;
    level.height = 200;
    worldtest::addPlatform(level, 0, 100, 200, 10);
    Object box;
    box.width = 10;
    box.height = 10;
    box.y = 85;
    box.velocityY = 600;
    moveWithCollision(level, box);
    EXPECT_EQ(box.y, 90);
    EXPECT_EQ(box.velocityY, 0);
    EXPECT_EQ(box.friction, 20);
}

}  // namespace
