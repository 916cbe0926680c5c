#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/SharedState.h"
#include "game/Game.h"
#include "game/HeadlessPlay.h"
#include "game/InputScript.h"
#include "game/ScriptedPlay.h"
#include "level/Level.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;

// Every shipped level is replayed from its recorded keys through the real game and must reach
// its goal. The replays use the seed the scripts were recorded with.
namespace {

const unsigned int recordingSeed = 1;
// A replay may run this long past its last key before it counts as lost.
const int ticksAfterLastKey = 1200;

// The shipped levels: data/level1.level, level2.level … as far as they go.
std::vector<int> shippedLevels() {
    std::vector<int> levels;
    for (int n = 1; fs::exists(testsupport::sourceDir() + "/data/level" + std::to_string(n) + ".level"); ++n) {
        levels.push_back(n);
    }
    return levels;
}

InputScript loadScript(int level) {
    const std::string path = testsupport::sourceDir() + "/tests/replays/level" + std::to_string(level) + ".keys";
    std::ifstream in(path);
    InputScript script;
    std::string error;
    EXPECT_TRUE(in.is_open()) << path;
    EXPECT_TRUE(script.parse(in, error)) << path << ": " << error;
    return script;
}

std::string levelName(int level) {
    return "level" + std::to_string(level) + ".level";
}

class LevelReplayTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { testsupport::ensureGlContext(640, 480); }
    testsupport::ScopedCurrentDir folder{testsupport::sourceDir()};
    testsupport::LogCapture log;
    SharedState shared;
};

}  // namespace

TEST_P(LevelReplayTest, RecordedKeysReachTheGoal) {
    const int level = GetParam();
    Game game(&shared);
    std::srand(recordingSeed);
    ASSERT_TRUE(game.newGame(levelName(level)));
    const bool last = game.level->nextMap == "finish";
    const InputScript script = loadScript(level);
    const ScriptedPlay::Result result = ScriptedPlay::play(game, script, script.lastTick() + ticksAfterLastKey);
    const ScriptedPlay::End expected = last ? ScriptedPlay::End::Won : ScriptedPlay::End::NextLevel;
    EXPECT_EQ(result.end, expected) << levelName(level) << " after " << result.ticks << " ticks";
}

// The tools play without a window: the play step alone reaches every goal with no respawn.
TEST_P(LevelReplayTest, RecordedKeysReachTheGoalWithoutAWindow) {
    const int level = GetParam();
    HeadlessPlay headless(&shared);
    std::srand(recordingSeed);
    ASSERT_TRUE(headless.load(levelName(level)));
    const bool last = headless.level().nextMap == "finish";
    const InputScript script = loadScript(level);
    const ScriptedPlay::Result result = ScriptedPlay::play(headless, script, script.lastTick() + ticksAfterLastKey);
    EXPECT_EQ(result.end, last ? ScriptedPlay::End::Won : ScriptedPlay::End::NextLevel) << levelName(level);
    EXPECT_EQ(result.respawns, 0) << levelName(level);
}

// The game and the play step alone, fed the same keys, are in the same state after every tick:
// what a tool finds is what a player meets. No frame is drawn, since drawing changes nothing.
TEST_P(LevelReplayTest, TheGameAndThePlayStepAloneAgreeEveryTick) {
    const int level = GetParam();
    Game game(&shared);
    SharedState alone;
    HeadlessPlay headless(&alone);
    std::srand(recordingSeed);
    ASSERT_TRUE(game.newGame(levelName(level)));
    std::srand(recordingSeed);
    ASSERT_TRUE(headless.load(levelName(level)));
    const InputScript script = loadScript(level);
    const int levelsBefore = game.levelsStarted();
    for (int tick = 1; tick <= script.lastTick() + ticksAfterLastKey; ++tick) {
        script.apply(tick, game);
        script.apply(tick, headless);
        game.update(0);
        headless.update(0);
        if (game.levelsStarted() != levelsBefore || shared.state != CONTINUE) {
            EXPECT_EQ(headless.end(), HeadlessPlay::End::ReachedGoal) << "tick " << tick;
            return;
        }
        const PlayState& inGame = game.playState();
        const PlayState& played = headless.state();
        ASSERT_EQ(inGame.player.box(), played.player.box()) << "tick " << tick;
        ASSERT_EQ(inGame.player.velocityX, played.player.velocityX) << "tick " << tick;
        ASSERT_EQ(inGame.player.velocityY, played.player.velocityY) << "tick " << tick;
        ASSERT_EQ(inGame.player.pose.frameCounter, played.player.pose.frameCounter) << "tick " << tick;
        ASSERT_EQ(inGame.scenery.traps.size(), played.scenery.traps.size());
        for (size_t i = 0; i < inGame.scenery.traps.size(); ++i) {
            ASSERT_EQ(inGame.scenery.traps[i].x, played.scenery.traps[i].x) << "tick " << tick << " trap " << i;
            ASSERT_EQ(inGame.scenery.traps[i].y, played.scenery.traps[i].y) << "tick " << tick << " trap " << i;
        }
    }
    ADD_FAILURE() << levelName(level) << ": the game never reached the goal";
}

INSTANTIATE_TEST_SUITE_P(ShippedLevels, LevelReplayTest, ::testing::ValuesIn(shippedLevels()));

TEST(LevelChainTest, TheLevelsInARowEndInTheWinState) {
    testsupport::ensureGlContext(640, 480);
    testsupport::ScopedCurrentDir folder(testsupport::sourceDir());
    testsupport::LogCapture log;
    SharedState shared;
    Game game(&shared);
    std::srand(recordingSeed);
    ASSERT_TRUE(game.newGame(levelName(1)));
    const int levelCount = static_cast<int>(shippedLevels().size());
    ASSERT_GE(levelCount, 1);
    for (int level = 1; level <= levelCount; ++level) {
        const InputScript script = loadScript(level);
        const ScriptedPlay::Result result = ScriptedPlay::play(game, script, script.lastTick() + ticksAfterLastKey);
        if (level < levelCount) {
            ASSERT_EQ(result.end, ScriptedPlay::End::NextLevel) << levelName(level);
            // The goal loaded the next level by its "nextmap"; it is loaded again under the
            // recording seed so its floating traps start where the recording saw them.
            ASSERT_NE(log.text().find("[LEVEL] loading data/" + levelName(level + 1)), std::string::npos);
            ScriptedPlay::releaseArrows(game);
            std::srand(recordingSeed);
            ASSERT_TRUE(game.newGame(levelName(level + 1)));
        } else {
            EXPECT_EQ(result.end, ScriptedPlay::End::Won);
            EXPECT_EQ(shared.state, WIN);
        }
    }
}
