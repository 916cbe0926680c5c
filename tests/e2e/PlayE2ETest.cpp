#include <gtest/gtest.h>

#include "e2e/GameSession.h"

using namespace testgame;

namespace {

const char* const menuHandOver = "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const char* const gameHandOver = "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const char* const spawnLine = "brisel x 100 y 354\n";

bool sameColour(testsupport::Rgba a, testsupport::Rgba b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

}  // namespace

TEST(PlayE2ETest, PlayThroughTwoLevelsWinAndStartAgain) {
    GameSession game;
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));

    // Start: the first level is loaded and the player stands on the floor at the start.
    game.click(207 + 113, 240 + 41);
    ASSERT_TRUE(game.waitForLog(gameHandOver, 10)) << game.log();
    EXPECT_NE(game.log().find("[LEVEL] loading data/level1.level\n"), std::string::npos);
    EXPECT_TRUE(game.waitForScreen(
        [&] {
            return sameColour(game.pixel(100 + 17, 354 + 23), playerColour) &&
                   sameColour(game.pixel(300, 410), tileColour) && sameColour(game.pixel(290, 390), trapColour) &&
                   sameColour(game.pixel(600, 100), levelColour);
        },
        5));

    // Jump: the player rises well above where it stood.
    game.key("space");
    EXPECT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(100 + 17, 354 - 40), playerColour); }, 3));
    EXPECT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(100 + 17, 354 + 40), playerColour); }, 3))
        << "lands again";

    // Walk right into the spikes: back at the start.
    game.keyDown("Right");
    EXPECT_TRUE(game.waitForLogCount(spawnLine, 2, 10)) << game.log();
    game.keyUp("Right");

    // Walk left to the goal: the second level starts without a new hand-over.
    game.keyDown("Left");
    EXPECT_TRUE(game.waitForLog("[LEVEL] loading data/level2.level\n", 10)) << game.log();
    game.keyUp("Left");
    EXPECT_EQ(game.log().find(gameHandOver), game.log().rfind(gameHandOver));

    // Walk right to the last goal: the menu comes back showing the win screen.
    game.keyDown("Right");
    EXPECT_TRUE(game.waitForLogCount(menuHandOver, 2, 10)) << game.log();
    game.keyUp("Right");
    game.moveMouse(5, 5);
    EXPECT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(320, 100), winColour); }, 5));

    // Start again at the first level; Escape returns to the menu, which still shows the win screen.
    game.click(207 + 113, 240 + 41);
    EXPECT_TRUE(game.waitForLogCount("[LEVEL] loading data/level1.level\n", 2, 10));
    EXPECT_TRUE(game.waitForLogCount(gameHandOver, 2, 10));
    game.key("Escape");
    EXPECT_TRUE(game.waitForLogCount(menuHandOver, 3, 10));
    EXPECT_TRUE(game.running());
    game.moveMouse(5, 5);
    EXPECT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(320, 100), winColour); }, 5));

    // Quit.
    game.click(234 + 86, 360 + 46);
    EXPECT_EQ(game.waitForExit(10), 0);
}

TEST(PlayE2ETest, MissingFirstLevelReturnsToTheMenu) {
    GameSession game;
    std::remove((game.dir() + "/data/level1.level").c_str());
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    game.click(207 + 113, 240 + 41);
    ASSERT_TRUE(game.waitForLogCount(menuHandOver, 2, 10));
    const std::string log = game.log();
    EXPECT_NE(log.find("[LEVEL] ERROR: file failed to open!\n[LEVEL] data/level1.level: No such file or directory\n"
                       ">MENU newGame failed.\n" +
                       std::string(menuHandOver)),
              std::string::npos)
        << log;
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
}
