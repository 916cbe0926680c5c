#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <signal.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/TestPad.h"
#include "e2e/GameSession.h"
#include "support/TestFiles.h"

using namespace testgame;

namespace {

const char* const menuHandOver = "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const char* const gameHandOver = "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const int standingRow = 354 + 23;
const int playerCentre = 100 + 17;

bool sameColour(testsupport::Rgba a, testsupport::Rgba b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// Left edge of the player on the row; -1 if it is not there.
int playerLeft(const GameSession& game, int y) {
    for (int x = 0; x < 640; ++x) {
        if (sameColour(game.pixel(x, y), playerColour)) {
            return x;
        }
    }
    return -1;
}

// The player stands at the start: its 34 x 46 box exactly on the floor at y 400.
bool standsAtTheStart(const GameSession& game) {
    return playerLeft(game, standingRow) == 100 && sameColour(game.pixel(playerCentre, 354), playerColour) &&
           !sameColour(game.pixel(playerCentre, 353), playerColour) &&
           sameColour(game.pixel(playerCentre, 399), playerColour);
}

bool startLevel(GameSession& game) {
    game.click(207 + 113, 240 + 41);
    return game.waitForLog(gameHandOver, 10) && game.waitForScreen([&] { return standsAtTheStart(game); }, 5);
}

bool jumpsAndLands(GameSession& game, const std::string& key) {
    game.key(key);
    return game.waitForScreen([&] { return sameColour(game.pixel(playerCentre, 354 - 40), playerColour); }, 3) &&
           game.waitForScreen([&] { return standsAtTheStart(game); }, 3);
}

// The test pad's database line, Xbox 360 layout by button number and the d-pad as hat 0, as the
// community database writes it; its GUID comes from plugging the same pad in here once.
std::string testPadDatabaseLine() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        return "";
    }
    const std::string guid = TestPad::guidOf(TestPad::description());
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    return guid +
           ",E2E Pad,a:b0,b:b1,x:b2,y:b3,back:b6,start:b7,guide:b8,leftshoulder:b4,rightshoulder:b5,leftstick:b9,"
           "rightstick:b10,leftx:a0,lefty:a1,rightx:a3,righty:a4,lefttrigger:a2,righttrigger:a5,dpup:h0.1,"
           "dpright:h0.2,dpdown:h0.4,dpleft:h0.8,platform:Linux,\n";
}

class PadScript {
public:
    explicit PadScript(const std::string& path) : out(path, std::ios::app) {}
    void send(const std::string& line) { out << line << "\n" << std::flush; }

private:
    std::ofstream out;
};

}  // namespace

TEST(ControlsE2ETest, APadStartsWalksJumpsAndPausesAndIsReleasedWhenPulled) {
    GameSession game;
    testsupport::writeFile(game.dir() + "/gamecontrollerdb.txt", testPadDatabaseLine());
    const std::string script = game.dir() + "/pad.script";
    testsupport::writeFile(script, "");
    ASSERT_TRUE(game.start({std::string(TestPad::kEnvironmentSwitch) + "=" + script}));
    ASSERT_TRUE(game.waitForLog("[PAD] taken: E2E Pad\n", 10)) << game.log();
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    PadScript pad(script);

    // The south button presses start.
    pad.send("button 0 1");
    pad.send("button 0 0");
    ASSERT_TRUE(game.waitForLog(gameHandOver, 10)) << game.log();
    ASSERT_TRUE(game.waitForScreen([&] { return standsAtTheStart(game); }, 5));

    pad.send("button 0 1");
    EXPECT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(playerCentre, 354 - 40), playerColour); }, 3))
        << "jumps";
    pad.send("button 0 0");
    ASSERT_TRUE(game.waitForScreen([&] { return standsAtTheStart(game); }, 3)) << "lands";

    pad.send("hat 0 right");
    EXPECT_TRUE(game.waitForScreen([&] { return playerLeft(game, standingRow) > 130; }, 5)) << "walks right";
    pad.send("hat 0 centre");
    pad.send("button 7 1");
    EXPECT_TRUE(game.waitForScreen([&] { return game.pixel(600, 100).g < levelColour.g; }, 5)) << "Start pauses";
    pad.send("button 7 0");

    pad.send("unplug");
    EXPECT_TRUE(game.waitForLog("[PAD] released: E2E Pad\n", 10)) << game.log();
    game.key("Escape");
    ASSERT_TRUE(game.waitForLogCount(menuHandOver, 2, 10));
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
}

TEST(ControlsE2ETest, ABoundKeyJumpsBesideSpaceAndWasdWalks) {
    GameSession game;
    testsupport::writeFile(game.dir() + "/settings.ini", "key jump=x\n");
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    ASSERT_TRUE(startLevel(game));
    EXPECT_TRUE(jumpsAndLands(game, "x"));
    EXPECT_TRUE(jumpsAndLands(game, "space"));
    EXPECT_TRUE(jumpsAndLands(game, "w"));
    game.keyDown("d");
    EXPECT_TRUE(game.waitForScreen([&] { return playerLeft(game, standingRow) > 130; }, 5));
    game.keyUp("d");
    EXPECT_EQ(game.log().find("[PAD]"), std::string::npos) << "no pad, no pad lines";
    EXPECT_EQ(game.readGameFile("settings.ini"), "key jump=x\n");
}

TEST(ControlsE2ETest, ADestroyedWindowEndsTheGameAsQuitDoesEveryTime) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        GameSession game;
        ASSERT_TRUE(game.start());
        ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
        game.destroyWindow();
        ASSERT_EQ(game.waitForExit(5), 0) << "attempt " << attempt;
        const std::string log = game.log();
        const std::string last = "[MAIN] The window was destroyed: the game ends.\n";
        EXPECT_EQ(log.rfind(last), log.size() - last.size()) << log;
    }
}

TEST(ControlsE2ETest, TheWindowNamesItsProcessAndALostDisplayEndsTheGameWithStatusOne) {
    GameSession game;
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    const std::string command =
        "xprop -display " + game.display() + " -id " + std::to_string(game.windowId()) + " _NET_WM_PID 2>&1";
    std::string shown;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
            shown += buffer;
        }
        pclose(pipe);
    }
    EXPECT_EQ(shown, "_NET_WM_PID(CARDINAL) = " + std::to_string(game.processId()) + "\n");

    game.stopDisplay();
    EXPECT_EQ(game.waitForExit(5), 1);
    const std::string log = game.log();
    const std::string last = "[MAIN] The connection to the display is lost: the game ends.\n";
    EXPECT_EQ(log.rfind(last), log.size() - last.size()) << log;
}
