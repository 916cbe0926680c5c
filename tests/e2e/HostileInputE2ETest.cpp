#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "e2e/GameSession.h"
#include "support/TestFiles.h"

namespace {

const char* const menuHandOver = "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const char* const gameHandOver = "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
// A person pressing Escape expects an answer within a second.
const double escapeAnswer = 1.0;
// Whole-window pictures, one over the other, enough that a frame takes longer than a 16 ms tick.
const int slowDrawingLayers = 12;

}  // namespace

// Opening a FIFO to read waits for a writer that never comes: the window appeared but never
// drew or answered.
TEST(HostileInputE2ETest, IconThatIsAFifoDoesNotHangTheStart) {
    GameSession game;
    const std::string icon = game.dir() + "/sprites/icon.png";
    std::remove(icon.c_str());
    ASSERT_EQ(mkfifo(icon.c_str(), 0644), 0);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10)) << game.log();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(escapeAnswer), 0);
}

// A level won at its start that leads back to itself reloads on every tick. When a frame takes
// longer to draw than a tick lasts, every event pass has a tick due, the one with Escape too.
TEST(HostileInputE2ETest, EscapeLeavesALevelThatReloadsEveryTick) {
    GameSession game;
    std::string level =
        "[Properties]\nwidth: 640\nheight: 480\nspawnx: 100\nspawny: 354\nwinimg: goal.png\n"
        "winx: 100\nwiny: 354\nnextmap: level1.level\nend\n[BG]\nimg: bg.png\nend\n"
        "[Platform]\nimg: tile.png\nx: 0\ny: 400\nw: 640\nh: 32\nend\n";
    for (int i = 0; i < slowDrawingLayers; ++i) {
        level += "[Platform]\nimg: bg.png\nx: 0\ny: 0\nw: 1\nh: 1\nend\n";
    }
    testsupport::writeFile(game.dir() + "/data/level1.level", level);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    game.key("Return");
    ASSERT_TRUE(game.waitForLog(gameHandOver, 10)) << game.log();
    ASSERT_TRUE(game.waitForLogCount("[LEVEL] loading data/level1.level\n", 5, 10)) << "the level reloads";
    game.key("Escape");
    EXPECT_TRUE(game.waitForLogCount(menuHandOver, 2, escapeAnswer)) << "Escape was not answered";
    EXPECT_TRUE(game.running());
}
