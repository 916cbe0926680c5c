#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "e2e/GameSession.h"
#include "support/TestFiles.h"

using namespace testgame;
using testsupport::Rgba;

namespace {

const char* const menuHandOver = "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const char* const gameHandOver = "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const Rgba black{0, 0, 0, 255};

bool sameColour(Rgba a, Rgba b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// A level twice the view's size with floors just above and just below the part on show at the
// start, so anything drawn beside the view lands in the black bars.
const char* const tallLevel =
    "[Properties]\nwidth: 1280\nheight: 960\nspawnx: 100\nspawny: 354\nwinimg: goal.png\nwinx: 1200\n"
    "winy: 800\nnextmap: finish\nend\n"
    "[BG]\nimg: bg.png\nend\n"
    "[Platform]\nimg: tile.png\nx: 0\ny: 105\nw: 1280\nh: 32\nend\n"
    "[Platform]\nimg: tile.png\nx: 0\ny: 400\nw: 1280\nh: 32\nend\n"
    "[Platform]\nimg: tile.png\nx: 0\ny: 620\nw: 1280\nh: 32\nend\n";

// Every pixel of the rows is black.
bool rowsBlack(const GameSession& game, int fromY, int toY, int width) {
    for (int y = fromY; y < toY; ++y) {
        for (int x = 0; x < width; x += 3) {
            if (!sameColour(game.pixel(x, y), black)) {
                return false;
            }
        }
    }
    return true;
}

// Left edge of the player on the row, white or dimmed to grey; -1 if it is not there.
int playerLeft(const GameSession& game, int y) {
    for (int x = 0; x < 640; ++x) {
        if (game.pixel(x, y).r > 100 && game.pixel(x, y).b > 100) {
            return x;
        }
    }
    return -1;
}

std::string xprop(const GameSession& game, const std::string& properties) {
    const std::string command =
        "xprop -display " + game.display() + " -id " + std::to_string(game.windowId()) + " " + properties + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        pclose(pipe);
    }
    return output;
}

}  // namespace

TEST(WindowE2ETest, F11ScalesTheViewByWholeNumbersClipsItAndGivesTheWindowBack) {
    GameSession game;
    testsupport::writeFile(game.dir() + "/data/level1.level", tallLevel);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));

    // 1280 x 1024 holds the 640 x 480 picture twice: 1280 x 960 with 32 black rows above and below.
    game.key("F11");
    ASSERT_TRUE(game.waitForScreen(
        [&] {
            return game.shotWidthNow() == 1280 && sameColour(game.pixel(640, 40), menuColour) &&
                   sameColour(game.pixel(640, 985), menuColour);
        },
        10));
    EXPECT_TRUE(rowsBlack(game, 0, 32, 1280));
    EXPECT_TRUE(rowsBlack(game, 992, 1024, 1280));

    // F11 again gives the window back; Alt+Enter does what F11 does and presses no button.
    game.key("F11");
    ASSERT_TRUE(
        game.waitForScreen([&] { return game.shotWidthNow() == 640 && sameColour(game.pixel(5, 5), menuColour); }, 10));
    game.moveMouse(5, 5);
    game.key("alt+Return");
    ASSERT_TRUE(game.waitForScreen([&] { return game.shotWidthNow() == 1280; }, 10));
    EXPECT_EQ(game.log().find(gameHandOver), std::string::npos);

    // Start's rectangle lies at (207, 256) in the 640 x 512 logical window: doubled on screen.
    game.click(2 * (207 + 113), 2 * (256 + 41));
    ASSERT_TRUE(game.waitForLog(gameHandOver, 10)) << game.log();
    // The view shows level rows 137 to 617: the player, one floor, and nothing in the bars.
    ASSERT_TRUE(game.waitForScreen(
        [&] {
            return sameColour(game.pixel(2 * 117, 32 + 2 * (377 - 137)), playerColour) &&
                   sameColour(game.pixel(900, 32 + 2 * (410 - 137)), tileColour);
        },
        5));
    EXPECT_TRUE(sameColour(game.pixel(900, 33), levelColour));
    EXPECT_TRUE(sameColour(game.pixel(900, 990), levelColour));
    EXPECT_TRUE(rowsBlack(game, 0, 32, 1280));
    EXPECT_TRUE(rowsBlack(game, 992, 1024, 1280));

    // Back to the 640 x 480 window, one pixel per pixel.
    game.key("F11");
    ASSERT_TRUE(game.waitForScreen(
        [&] {
            return game.shotWidthNow() == 640 && sameColour(game.pixel(117, 377 - 137), playerColour) &&
                   sameColour(game.pixel(600, 410 - 137), tileColour);
        },
        10));
    game.moveMouse(5, 5);  // the keys follow the pointer, which the smaller window left behind
    game.key("Escape");
    ASSERT_TRUE(game.waitForLogCount(menuHandOver, 2, 10));
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
}

TEST(WindowE2ETest, PFreezesTheLevelRemembersTheArrowsAndResumes) {
    GameSession game;
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    game.click(207 + 113, 240 + 41);
    ASSERT_TRUE(game.waitForLog(gameHandOver, 10));
    const int row = 354 + 23;
    ASSERT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(100 + 17, row), playerColour); }, 5));

    // Paused: the scene is dimmed under the sign.
    game.key("p");
    ASSERT_TRUE(game.waitForScreen(
        [&] {
            const Rgba seen = game.pixel(600, 100);
            return seen.g < levelColour.g && seen.g > 0;
        },
        5));
    game.keyDown("Right");
    // Well over 60 ticks of 16 ms with the arrow held: the player has not moved.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ASSERT_TRUE(game.screenshot());
    EXPECT_EQ(playerLeft(game, row), 100);

    // Resumed: the held arrow walks the player right.
    game.key("p");
    EXPECT_TRUE(game.waitForScreen([&] { return playerLeft(game, row) > 130; }, 5));
    game.keyUp("Right");
}

TEST(WindowE2ETest, MenuAnswersTheKeyboard) {
    GameSession game;
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    game.key("Up");
    ASSERT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(207 + 113, 240 + 41), startLitColour); }, 5));
    game.key("Return");
    ASSERT_TRUE(game.waitForLog(gameHandOver, 10));
    game.key("Escape");
    ASSERT_TRUE(game.waitForLogCount(menuHandOver, 2, 10));

    game.key("Down");
    ASSERT_TRUE(game.waitForScreen(
        [&] {
            return sameColour(game.pixel(234 + 86, 360 + 46), quitLitColour) &&
                   sameColour(game.pixel(207 + 113, 240 + 41), startColour);
        },
        5));
    game.key("Return");
    EXPECT_EQ(game.waitForExit(10), 0);
    EXPECT_EQ(game.log().find(gameHandOver), game.log().rfind(gameHandOver)) << "quit, not a second start";
}

TEST(WindowE2ETest, WindowCarriesItsClassAndIcon) {
    GameSession game;
    std::vector<unsigned char> icon(16 * 16 * 4, 200);
    testsupport::writeRgbaPng(game.dir() + "/sprites/icon.png", 16, 16, icon);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    const std::string shown = xprop(game, "WM_CLASS _NET_WM_ICON");
    EXPECT_NE(shown.find("WM_CLASS(STRING) = \"vantorel\", \"vantorel\""), std::string::npos) << shown;
    EXPECT_NE(shown.find("_NET_WM_ICON(CARDINAL) ="), std::string::npos) << shown;
    EXPECT_NE(shown.find("Icon (16 x 16)"), std::string::npos) << shown;
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
}
