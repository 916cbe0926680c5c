#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "WorldTestSupport.h"
#include "support/TestFiles.h"

namespace {

using worldtest::FakeSoundSource;
using worldtest::RecordingSoundEngine;

// The player's rules act on its body, a plain value; the drawable only shows it and plays.
class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        player = worldtest::makePlayer(0, 0);
        worldtest::listen(*player, engine, jumpSound, landSound);
        body = player->body();
    }

    testsupport::ScopedTempDir dir;
    RecordingSoundEngine engine;
    FakeSoundSource jumpSound;
    FakeSoundSource landSound;
    std::unique_ptr<Player> player;
    PlayerBody body;
};

TEST_F(PlayerTest, FrictionStopsAtZeroFromEitherSide) {
    body.friction = 20;
    body.velocityX = 15;
    body.applyFriction();
    EXPECT_EQ(body.velocityX, 0);

    body.velocityX = -15;
    body.applyFriction();
    EXPECT_EQ(body.velocityX, 0);

    body.velocityX = 100;
    body.applyFriction();
    EXPECT_EQ(body.velocityX, 80);

    body.velocityX = -100;
    body.applyFriction();
    EXPECT_EQ(body.velocityX, -80);

    body.velocityX = 0;
    body.applyFriction();
    EXPECT_EQ(body.velocityX, 0);
}

TEST_F(PlayerTest, WalkingNeverAppliesFriction) {
    body.friction = 20;
    body.walkAcceleration = 15;
    body.velocityX = 100;
    body.applyWalk();
    EXPECT_EQ(body.velocityX, 115);

    body.walkAcceleration = -15;
    body.applyWalk();
    EXPECT_EQ(body.velocityX, 100);

    body.walkAcceleration = 0;
    body.applyWalk();
    EXPECT_EQ(body.velocityX, 80);
}

TEST_F(PlayerTest, WalkingAgainstTheMotionTurnsItAround) {
    body.walk(false);
    body.velocityX = 10;
    body.applyWalk();
    EXPECT_EQ(body.velocityX, -5);
    EXPECT_FALSE(body.facingRight);
}

TEST_F(PlayerTest, JumpAddsTheImpulseWhereverTheBodyIs) {
    body.velocityY = 30;
    body.jump();
    EXPECT_EQ(body.velocityY, -630);
    // No footing test here: a second jump in the air adds another impulse.
    body.jump();
    EXPECT_EQ(body.velocityY, -1290);
}

TEST_F(PlayerTest, SoundsPlayAtTheFeetAndNotWithoutEngineOrSource) {
    body.x = 256;
    body.y = 82;
    player->playAt(player->jumpSound, body.soundPosition());
    ASSERT_EQ(engine.plays.size(), 1u);
    EXPECT_EQ(engine.plays[0].source, &jumpSound);
    EXPECT_TRUE(engine.plays[0].positioned);
    EXPECT_FALSE(engine.plays[0].looped);
    EXPECT_FLOAT_EQ(engine.plays[0].position.X, (256 + 17) / 128.0f);
    EXPECT_FLOAT_EQ(engine.plays[0].position.Y, 1.0f);

    player->soundEngine = nullptr;
    player->playAt(player->jumpSound, body.soundPosition());
    player->soundEngine = &engine;
    player->playAt(nullptr, body.soundPosition());
    EXPECT_EQ(engine.plays.size(), 1u);
}

TEST_F(PlayerTest, VelocitiesSaturateInsteadOfWrapping) {
    body.velocityY = INT_MIN + 100;
    body.jump();
    EXPECT_EQ(body.velocityY, INT_MIN);
    body.velocityX = INT_MAX;
    body.walkAcceleration = 15;
    body.applyWalk();
    EXPECT_EQ(body.velocityX, INT_MAX);
}

TEST_F(PlayerTest, FacingMirrorsTheSheetOnShow) {
    ASSERT_NE(player->image, nullptr);
    EXPECT_FALSE(player->image->flipped);
    body.setFacing(false);
    player->show(body);
    EXPECT_TRUE(player->image->flipped);
    EXPECT_FALSE(player->body().facingRight);
    body.setFacing(true);
    player->show(body);
    EXPECT_FALSE(player->image->flipped);
}

TEST_F(PlayerTest, NewPlayerStandsStillInTheAir) {
    EXPECT_EQ(body.velocityX, 0);
    EXPECT_EQ(body.velocityY, 0);
    EXPECT_EQ(body.friction, 0);
    EXPECT_EQ(body.walkAcceleration, 0);
    EXPECT_FALSE(body.grounded);
    EXPECT_TRUE(body.facingRight);
    EXPECT_EQ(body.width, 34);
    EXPECT_EQ(body.height, 46);
}

}  // namespace
