#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "WorldTestSupport.h"
#include "sound/WubManager.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

namespace {

using worldtest::addPlatform;
using worldtest::FakeSoundSource;
using worldtest::RecordingSoundEngine;
using worldtest::shownColumn;
using worldtest::shownRow;
using worldtest::tick;

constexpr int kFrameWidth = 64;
constexpr int kFrameHeight = 56;

// Each frame of the 6 x 3 sheet is one flat colour: red 40 x column, green 80 x row.
void writeSheet() {
    const int width = 6 * kFrameWidth;
    const int height = 3 * kFrameHeight;
    std::vector<unsigned char> pixels;
    pixels.reserve(width * height * 4);
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            const int column = px / kFrameWidth + 1;
            const int row = py / kFrameHeight + 1;
            pixels.insert(pixels.end(),
                          {static_cast<unsigned char>(40 * column), static_cast<unsigned char>(80 * row), 0, 255});
        }
    }
    testsupport::writeRgbaPng("sprites/brisel.png", width, height, pixels);
}

// The player on a real sheet, standing on a floor whose top is at y 400.
class PoseTest : public ::testing::Test {
protected:
    static constexpr int kStandY = 400 - 46;

    void SetUp() override {
        testsupport::ensureGlContext();
        writeSheet();
        level.width = 2000;
        level.height = 600;
        addPlatform(level, 0, 400, 2000, 20);
        player = worldtest::makePlayer(100, kStandY);
        worldtest::listen(*player, engine, jumpSound, landSound);
        ASSERT_EQ(player->image->width, 6 * kFrameWidth) << "the sprite sheet did not load";
    }

    void settle() {
        tick(level, *player);
        tick(level, *player);
        ASSERT_TRUE(player->grounded);
    }

    testsupport::ScopedTempDir dir;
    Level level;
    RecordingSoundEngine engine;
    FakeSoundSource jumpSound;
    FakeSoundSource landSound;
    std::unique_ptr<Player> player;
};

TEST_F(PoseTest, SetupSpriteCutsTheSheetAndFixesTheBox) {
    const Image& image = *player->image;
    EXPECT_EQ(image.frameWidth, 64.0f);
    EXPECT_EQ(image.frameHeight, 56.0f);
    EXPECT_EQ(image.ticksPerFrame, 16u);
    EXPECT_EQ(image.x, -15);
    EXPECT_EQ(image.y, -9);
    EXPECT_EQ(player->width, 34);
    EXPECT_EQ(player->height, 46);
    EXPECT_FALSE(player->grounded);
    EXPECT_EQ(player->walkAcceleration, 0);
    EXPECT_EQ(shownRow(image), 1);
    EXPECT_EQ(shownColumn(image), 1);
}

TEST_F(PoseTest, StandingAndWalkingPoses) {
    settle();
    EXPECT_EQ(shownRow(*player->image), 1);
    EXPECT_EQ(player->image->ticksPerFrame, 16u);

    player->walkAcceleration = 15;
    tick(level, *player);  // no displacement: the pose stays
    EXPECT_EQ(shownRow(*player->image), 1);
    tick(level, *player);  // lands again, now walking
    EXPECT_EQ(shownRow(*player->image), 2);
    EXPECT_EQ(player->image->ticksPerFrame, 4u);

    player->walkAcceleration = 0;
    tick(level, *player);
    tick(level, *player);
    EXPECT_EQ(shownRow(*player->image), 1);
    EXPECT_EQ(player->image->ticksPerFrame, 16u);
}

TEST_F(PoseTest, RisingThenFallingPoses) {
    settle();
    worldtest::jump(*player);
    tick(level, *player);
    EXPECT_FALSE(player->grounded);
    EXPECT_EQ(shownRow(*player->image), 3);
    EXPECT_EQ(shownColumn(*player->image), 1);
    while (player->velocityY < 0) {
        tick(level, *player);
    }
    tick(level, *player);
    tick(level, *player);
    ASSERT_FALSE(player->grounded);
    EXPECT_EQ(shownRow(*player->image), 3);
    EXPECT_EQ(shownColumn(*player->image), 2);
    while (!player->grounded) {
        tick(level, *player);
    }
    EXPECT_EQ(shownRow(*player->image), 1);
}

TEST_F(PoseTest, WalkingOffALedgeShowsTheFallingPose) {
    Level ledge;
    ledge.width = 1000;
    ledge.height = 1000;
    addPlatform(ledge, 0, 400, 100, 20);
    player->x = 40;
    tick(ledge, *player);
    tick(ledge, *player);
    player->walkAcceleration = 15;
    player->velocityX = 300;
    while (player->grounded) {
        tick(ledge, *player);
        if (player->grounded) {
            EXPECT_EQ(shownRow(*player->image), 2);
        }
    }
    EXPECT_GE(player->x, 100);
    EXPECT_EQ(shownRow(*player->image), 3);
    EXPECT_EQ(shownColumn(*player->image), 2);
}

TEST_F(PoseTest, CeilingHitShowsTheFallingPose) {
    addPlatform(level, 0, 80, 2000, 20);
    player->y = 105;
    player->velocityY = -600;
    tick(level, *player);
    EXPECT_EQ(player->y, 100);
    EXPECT_EQ(shownRow(*player->image), 3);
    EXPECT_EQ(shownColumn(*player->image), 2);
}

TEST_F(PoseTest, FrameCountersKeepTheColumnAcrossPoseChanges) {
    settle();
    player->walkAcceleration = 15;
    tick(level, *player);
    tick(level, *player);
    ASSERT_EQ(player->image->ticksPerFrame, 4u);
    const int counter = player->image->frameCounter;
    // Walking shows each column for 4 ticks; stop at column 3.
    while (shownColumn(*player->image) != 3) {
        worldtest::advancePose(*player);
    }
    EXPECT_LE(player->image->frameCounter - counter, 12);
    const int walkCounter = player->image->frameCounter;

    player->walkAcceleration = 0;
    player->velocityX = 0;
    tick(level, *player);
    tick(level, *player);
    ASSERT_EQ(player->image->ticksPerFrame, 16u);
    EXPECT_EQ(player->image->frameCounter, walkCounter * 4);
    EXPECT_EQ(shownColumn(*player->image), 3);

    // Standing shows each column for 16 ticks.
    const int standCounter = player->image->frameCounter;
    for (int i = 0; i < 16; ++i) {
        worldtest::advancePose(*player);
    }
    EXPECT_EQ(player->image->frameCounter, standCounter + 16);
    EXPECT_EQ(shownColumn(*player->image), 4);
}

TEST_F(PoseTest, AirbornePosesStandStill) {
    settle();
    worldtest::jump(*player);
    tick(level, *player);
    ASSERT_EQ(shownRow(*player->image), 3);
    const int counter = player->image->frameCounter;
    for (int i = 0; i < 5; ++i) {
        worldtest::advancePose(*player);
    }
    EXPECT_EQ(player->image->frameCounter, counter);
    EXPECT_EQ(shownColumn(*player->image), 1);
}

TEST_F(PoseTest, DrawShowsThePoseFrameOffsetFromTheBox) {
    player->x = 100;
    player->y = 100;
    testsupport::clearScreen();
    player->draw(10, 20);
    // The 64 x 56 frame's top-left corner is at (100 + 10 - 15, 100 + 20 - 9) = (95, 111).
    const testsupport::Rgba standing{40, 80, 0, 255};
    EXPECT_EQ(testsupport::readPixel(95, 111), standing);
    EXPECT_EQ(testsupport::readPixel(95 + 63, 111 + 55), standing);
    EXPECT_EQ(testsupport::readPixel(94, 130), (testsupport::Rgba{0, 0, 0, 255}));
    EXPECT_EQ(testsupport::readPixel(95 + 64, 130), (testsupport::Rgba{0, 0, 0, 255}));

    worldtest::touchGround(*player, false);  // falling pose: row 3, column 2
    testsupport::clearScreen();
    player->draw(10, 20);
    EXPECT_EQ(testsupport::readPixel(95 + 32, 111 + 28), (testsupport::Rgba{80, 240, 0, 255}));
}

TEST_F(PoseTest, GroundedStateMachinePlaysTheLandingSoundOncePerTouchdown) {
    player->x = 200;
    player->y = 300;
    worldtest::touchGround(*player, true);
    ASSERT_EQ(engine.playsOf(&landSound), 1);
    EXPECT_TRUE(player->grounded);
    EXPECT_FLOAT_EQ(engine.plays[0].position.X, 217 / 128.0f);
    EXPECT_FLOAT_EQ(engine.plays[0].position.Y, 346 / 128.0f);
    EXPECT_FALSE(engine.plays[0].looped);

    worldtest::touchGround(*player, true);
    EXPECT_EQ(engine.playsOf(&landSound), 1);

    player->friction = 20;
    worldtest::touchGround(*player, false);
    EXPECT_FALSE(player->grounded);
    EXPECT_EQ(player->friction, 0);
    worldtest::touchGround(*player, false);
    EXPECT_EQ(engine.playsOf(&landSound), 1);

    worldtest::touchGround(*player, true);
    EXPECT_EQ(engine.playsOf(&landSound), 2);
}

TEST(TrotlingSilence, MovesAndLandsWithoutEngineOrSources) {
    testsupport::ScopedTempDir dir;
    Level level;
    level.width = 500;
    level.height = 500;
    addPlatform(level, 0, 400, 500, 20);
    auto player = worldtest::makePlayer(100, 300);
    player->soundEngine = nullptr;
    player->jumpSound = nullptr;
    player->landSound = nullptr;
    player->teleportSound = nullptr;
    for (int t = 0; t < 30 && !player->grounded; ++t) {
        tick(level, *player);
    }
    EXPECT_TRUE(player->grounded);
    EXPECT_EQ(player->y, 354);
    worldtest::jump(*player);
    EXPECT_EQ(player->velocityY, -660);
}

TEST(TrotlingSounds, ConstructorTakesTheManagersSourcesAndSetsTheirVolumes) {
    testsupport::ScopedTempDir dir;
    static FakeSoundSource jump;
    static FakeSoundSource land;
    static FakeSoundSource teleport;
    WubManager* manager = WubManager::instance();
    manager->sources["sounds/jump.wav"] = &jump;
    manager->sources["sounds/land.wav"] = &land;
    manager->sources["sounds/teleport.wav"] = &teleport;

    Player player("sprites/brisel.png");
    EXPECT_EQ(player.soundEngine, manager->engine);
    EXPECT_EQ(player.jumpSound, &jump);
    EXPECT_EQ(player.landSound, &land);
    EXPECT_EQ(player.teleportSound, &teleport);
    EXPECT_FLOAT_EQ(jump.volume, 0.5f);
    EXPECT_FLOAT_EQ(land.volume, 0.2f);
    EXPECT_FLOAT_EQ(teleport.volume, 0.3f);
    EXPECT_EQ(jump.drops, 0);
}

}  // namespace
