#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "e2e/GameSession.h"
#include "game/Progress.h"

using namespace testgame;

namespace {

const char* const menuHandOver = "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const char* const gameHandOver = "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const char* const secondLevel = "[LEVEL] loading data/level2.level\n";

// Where the menu puts the buttons in the 640 x 480 test game.
const int startX = 207 + 113;
const int startY = 240 + 41;
const int continueX = 148 + 82;
const int continueY = 174 + 24;

bool sameColour(testsupport::Rgba a, testsupport::Rgba b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// From the menu: Start, then walk left onto the first level's goal.
bool finishFirstLevel(GameSession& game) {
    game.click(startX, startY);
    if (!game.waitForLog(gameHandOver, 10)) {
        return false;
    }
    game.keyDown("Left");
    const bool reached = game.waitForLog(secondLevel, 10);
    game.keyUp("Left");
    return reached;
}

}  // namespace

TEST(ProgressE2ETest, AFinishedLevelIsRememberedContinueStartsTheNextAndLevelsListsIt) {
    GameSession game;
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    EXPECT_FALSE(std::filesystem::exists(game.dir() + "/progress.ini"));
    ASSERT_TRUE(finishFirstLevel(game)) << game.log();
    game.key("Escape");
    ASSERT_TRUE(game.waitForLogCount(menuHandOver, 2, 10));
    game.key("Escape");
    ASSERT_EQ(game.waitForExit(10), 0);

    Progress saved;
    ASSERT_TRUE(saved.parse(game.readGameFile("progress.ini"))) << game.readGameFile("progress.ini");
    const LevelRecord* first = saved.find("level1.level");
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->finished);
    EXPECT_GT(first->bestTicks, 10) << "a walk of some 60 pixels takes more than ten ticks";
    EXPECT_EQ(saved.furthest(), "level2.level");

    // Started again: Continue is shown; L opens the Levels screen with level 1's row and its time.
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    EXPECT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(continueX, continueY), continueColour); }, 5));
    game.key("l");
    const auto timeInkInFirstRow = [&] {
        for (int x = 480; x < 600; ++x) {
            for (int y = 110; y < 124; ++y) {
                const testsupport::Rgba seen = game.pixel(x, y);
                if (seen.r > 200 && seen.g > 150 && seen.b < 100) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(game.waitForScreen(timeInkInFirstRow, 5)) << "the highlighted first row shows a time";
    game.key("Escape");
    EXPECT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(continueX, continueY), continueColour); }, 5))
        << "Escape leaves the Levels screen, not the game";

    game.click(continueX, continueY);
    ASSERT_TRUE(game.waitForLog(gameHandOver, 10));
    const std::string log = game.log();
    EXPECT_NE(log.find(secondLevel), std::string::npos) << log;
    EXPECT_EQ(log.find("[LEVEL] loading data/level1.level\n"), std::string::npos) << log;
}

TEST(ProgressE2ETest, KilledWhileSavingTheProgressFileAlwaysParses) {
    GameSession game;
    const int rounds = 8;
    for (int round = 0; round < rounds; ++round) {
        ASSERT_TRUE(game.start());
        ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
        game.click(startX, startY);
        ASSERT_TRUE(game.waitForLog(gameHandOver, 10));
        // The goal is reached some way into the walk; each round is killed a little later.
        game.keyDown("Left");
        std::this_thread::sleep_for(std::chrono::milliseconds(250 + round * 60));
        game.killGame();
        game.keyUp("Left");
        if (std::filesystem::exists(game.dir() + "/progress.ini")) {
            Progress saved;
            EXPECT_TRUE(saved.parse(game.readGameFile("progress.ini"))) << "round " << round;
        }
        EXPECT_FALSE(std::filesystem::exists(game.dir() + "/progress.ini.damaged")) << "round " << round;
    }
}
