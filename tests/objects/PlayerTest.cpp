#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "WorldTestSupport.h"
#include "support/TestFiles.h"

namespace {

using worldtest::FakeSoundSource;
using worldtest::RecordingSoundEngine;

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        player = worldtest::makePlayer(0, 0);
        worldtest::listen(*player, engine, jumpSound, landSound);
    }

    testsupport::ScopedTempDir dir;
    RecordingSoundEngine engine;
    FakeSoundSource jumpSound;
    FakeSoundSource landSound;
    std::unique_ptr<Player> player;
};

TEST_F(PlayerTest, FrictionStopsAtZeroFromEitherSide) {
    player->friction = 20;
    player->velocityX = 15;
    player->applyFriction();
    EXPECT_EQ(player->velocityX, 0);

    player->velocityX = -15;
    player->applyFriction();
    EXPECT_EQ(player->velocityX, 0);

    player->velocityX = 100;
    player->applyFriction();
    EXPECT_EQ(player->velocityX, 80);

    player->velocityX = -100;
    player->applyFriction();
    EXPECT_EQ(player->velocityX, -80);

    player->velocityX = 0;
    player->applyFriction();
    EXPECT_EQ(player->velocityX, 0);
}

TEST_F(PlayerTest, WalkingNeverAppliesFriction) {
    player->friction = 20;
    player->setWalkAcceleration(15);
    player->velocityX = 100;
    player->applyWalk();
    EXPECT_EQ(player->velocityX, 115);

    player->setWalkAcceleration(-15);
    player->applyWalk();
    EXPECT_EQ(player->velocityX, 100);

    player->setWalkAcceleration(0);
    player->applyWalk();
    EXPECT_EQ(player->velocityX, 80);
}

TEST_F(PlayerTest, WalkingAgainstTheMotionTurnsItAround) {
    player->setWalkAcceleration(-15);
    player->velocityX = 10;
    player->applyWalk();
    EXPECT_EQ(player->velocityX, -5);
}

TEST_F(PlayerTest, JumpAddsTheImpulseAndPlaysAtTheFeet) {
    player->x = 256;
    player->y = 82;
    player->velocityY = 30;
    player->jump();
    EXPECT_EQ(player->velocityY, -630);
    ASSERT_EQ(engine.plays.size(), 1u);
    EXPECT_EQ(engine.plays[0].source, &jumpSound);
    EXPECT_TRUE(engine.plays[0].positioned);
    EXPECT_FALSE(engine.plays[0].looped);
    EXPECT_FLOAT_EQ(engine.plays[0].position.X, (256 + 17) / 128.0f);
    EXPECT_FLOAT_EQ(engine.plays[0].position.Y, 1.0f);

    // No footing test here: a second jump in the air adds another impulse.
    player->jump();
    EXPECT_EQ(player->velocityY, -1290);
    EXPECT_EQ(engine.playsOf(&jumpSound), 2);
}

TEST_F(PlayerTest, JumpWithoutEngineIsSilent) {
    player->soundEngine = nullptr;
    player->jump();
    EXPECT_EQ(player->velocityY, -660);
    EXPECT_TRUE(engine.plays.empty());

    player->soundEngine = &engine;
    player->jumpSound = nullptr;
    player->jump();
    EXPECT_EQ(player->velocityY, -1320);
    EXPECT_TRUE(engine.plays.empty());
}

TEST_F(PlayerTest, VelocitiesSaturateInsteadOfWrapping) {
    player->velocityY = INT_MIN + 100;
    player->jump();
    EXPECT_EQ(player->velocityY, INT_MIN);
    player->velocityX = INT_MAX;
    player->setWalkAcceleration(15);
    player->applyWalk();
    EXPECT_EQ(player->velocityX, INT_MAX);
}

TEST_F(PlayerTest, FacingMirrorsTheSheet) {
    ASSERT_NE(player->image, nullptr);
    EXPECT_FALSE(player->image->flipped);
    player->setFacing(false);
    EXPECT_TRUE(player->image->flipped);
    player->setFacing(true);
    EXPECT_FALSE(player->image->flipped);
}

TEST_F(PlayerTest, NewPlayerStandsStillInTheAir) {
    EXPECT_EQ(player->velocityX, 0);
    EXPECT_EQ(player->velocityY, 0);
    EXPECT_EQ(player->friction, 0);
    EXPECT_EQ(player->walkAcceleration, 0);
    EXPECT_FALSE(player->grounded);
    EXPECT_EQ(player->width, 34);
    EXPECT_EQ(player->height, 46);
}

}  // namespace
