// The play step on worlds built in code: no window, no sound, only the state and its events.
#include "game/PlayStep.h"

#include <gtest/gtest.h>

#include "level/Level.h"
#include "objects/Checkpoint.h"
#include "objects/MotionTuning.h"
#include "objects/WorldTestSupport.h"

namespace {

// A floor from x 0 to 1000 with its top at y 400, then a drop; a checkpoint stands on it at x 500.
class CheckpointPlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        level.width = 2000;
        level.height = 600;
        level.spawnX = 40;
        level.spawnY = 354;
        level.goal.x = 1900;
        level.goal.y = 0;
        worldtest::addPlatform(level, 0, 400, 1000, 20);
        Checkpoint* checkpoint = new Checkpoint();
        checkpoint->setX(500);
        checkpoint->setY(352);
        checkpoint->width = 24;
        checkpoint->height = 48;
        level.checkpoints.push_back(checkpoint);
        world.level = &level;
        world.newcomer.width = tuning::kPlayerWidth;
        world.newcomer.height = tuning::kPlayerHeight;
    }

    // Ticks until an event of that kind, at most limit; the tick it came at, or 0.
    int runUntil(PlayState& state, PlayEvent::Kind kind, int limit) {
        for (int tick = 1; tick <= limit; ++tick) {
            if (stepPlay(world, state).has(kind)) {
                return tick;
            }
        }
        return 0;
    }

    Level level;
    PlayWorld world;
};

}  // namespace

TEST_F(CheckpointPlayTest, ATouchedCheckpointIsWhereTheNextRespawnComesBack) {
    PlayState state = startPlay(world, HeldArrows{});
    EXPECT_EQ(state.scenery.litCheckpoint, -1);
    pressArrow(state, true);
    ASSERT_GT(runUntil(state, PlayEvent::Kind::ReachedCheckpoint, 300), 0);
    EXPECT_EQ(state.scenery.litCheckpoint, 0);
    EXPECT_TRUE(overlaps(state.player.box(), level.checkpoints[0]->box()));
    // Standing in it lights nothing again.
    EXPECT_EQ(stepPlay(world, state).has(PlayEvent::Kind::ReachedCheckpoint), false);

    ASSERT_GT(runUntil(state, PlayEvent::Kind::Respawned, 600), 0);
    // Back standing on the checkpoint's foot, centred on it, still walking as the arrow is held.
    EXPECT_EQ(state.player.x, 500 + (24 - 34) / 2);
    EXPECT_EQ(state.player.y, 400 - 46);
    EXPECT_EQ(state.player.walkAcceleration, tuning::kWalkAcceleration);
    EXPECT_EQ(state.scenery.litCheckpoint, 0);
}

TEST_F(CheckpointPlayTest, WithoutATouchedCheckpointARespawnIsAtTheStart) {
    PlayState state = startPlay(world, HeldArrows{});
    state.player.x = 1100;  // past the checkpoint, over the drop
    ASSERT_GT(runUntil(state, PlayEvent::Kind::Respawned, 300), 0);
    EXPECT_EQ(state.player.x, 40);
    EXPECT_EQ(state.player.y, 354);
    // A level started again starts from its spawn, whatever was lit.
    state.scenery.litCheckpoint = 0;
    EXPECT_EQ(startPlay(world, HeldArrows{}).scenery.litCheckpoint, -1);
}
