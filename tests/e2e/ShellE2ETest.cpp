#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/GameSession.h"
#include "support/TestFiles.h"

using namespace testgame;

namespace {

const char* const menuHandOver = "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";

void expectColour(GameSession& game, int x, int y, testsupport::Rgba colour) {
    const testsupport::Rgba seen = game.pixel(x, y);
    EXPECT_TRUE(seen.r == colour.r && seen.g == colour.g && seen.b == colour.b)
        << "at (" << x << ", " << y << ") saw " << int(seen.r) << "," << int(seen.g) << "," << int(seen.b);
}

}  // namespace

TEST(ShellE2ETest, FirstRunWritesSettingsShowsTheMenuAndEscapeEndsWithTheLogWhole) {
    GameSession game;
    testsupport::writeFile(game.dir() + "/release.log", "an old run\n");
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));

    EXPECT_EQ(game.readGameFile("settings.ini"), "[window]\nfullscreen=0\nwidth=640\nheight=480\napple sfx=on\n");
    const std::string log = game.log();
    EXPECT_EQ(log.find("an old run"), std::string::npos) << "the log starts fresh";
    EXPECT_EQ(log.rfind("[WubManager] Korvane is ready to rock!\n[MAIN] Screen: 640x480, windowed\n", 0), 0u) << log;

    // The menu is drawn: title picture and both buttons in their normal rows.
    game.moveMouse(5, 5);
    // The first frame may still be on its way when the log line is written.
    ASSERT_TRUE(game.waitForScreen([&] { return game.pixel(320, 100).b == menuColour.b; }, 10));
    expectColour(game, 320, 100, menuColour);
    expectColour(game, 207 + 113, 240 + 41, startColour);
    expectColour(game, 234 + 86, 360 + 46, quitColour);

    // Pointing at start highlights it.
    game.moveMouse(320, 280);
    bool lit = false;
    for (int attempt = 0; attempt < 40 && !lit; ++attempt) {
        game.screenshot();
        lit = game.pixel(320, 281).g == startLitColour.g;
    }
    EXPECT_TRUE(lit);

    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
    EXPECT_EQ(game.log(), log) << "Escape ends at once, and every line written is in the file";
}

TEST(ShellE2ETest, ClosingTheWindowEndsTheProgramWithTheLogWhole) {
    GameSession game;
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    const std::string log = game.log();
    game.closeWindow();
    EXPECT_EQ(game.waitForExit(10), 0);
    EXPECT_EQ(game.log(), log);
    EXPECT_NE(log.find("Requesting texture sprites/menu.png ... "), std::string::npos);
}

TEST(ShellE2ETest, QuitButtonShutsDownNormally) {
    GameSession game;
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    game.click(234 + 172, 360 + 92);  // the bottom-right corner still counts
    EXPECT_EQ(game.waitForExit(10), 0);
}

TEST(ShellE2ETest, SettingsSizeTheWindowAndAreNotRewritten) {
    GameSession game;
    const std::string settings = "[window]\r\nwidth=800\r\nheight=600\r\nfullscreen=yes\r\n";
    testsupport::writeFile(game.dir() + "/settings.ini", settings);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    EXPECT_NE(game.log().find("[MAIN] Screen: 800x600, fullscreen\n"), std::string::npos) << game.log();
    ASSERT_TRUE(game.waitForScreen([&] { return game.pixel(85, 65).b == menuColour.b; }, 10));
    // No game mode under Xvfb: a full-screen window instead, the title picture doubled and centred.
    expectColour(game, 80 + 5, 60 + 5, menuColour);
    expectColour(game, 20, 20, testsupport::Rgba{0, 0, 0, 255});
    EXPECT_EQ(game.readGameFile("settings.ini"), settings);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
}

TEST(ShellE2ETest, UnusableSettingsAndLogStillLetTheGameRun) {
    GameSession game;
    std::filesystem::create_directory(game.dir() + "/settings.ini");
    std::filesystem::create_directory(game.dir() + "/release.log");
    ASSERT_TRUE(game.start());
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
    EXPECT_TRUE(std::filesystem::is_directory(game.dir() + "/settings.ini"));
}

TEST(ShellE2ETest, NoSoundDeviceLogsTheErrorAndPlaysOn) {
    GameSession game;
    ASSERT_TRUE(game.start({"ALSOFT_DRIVERS=nosuchdriver"}));
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    EXPECT_EQ(game.log().rfind("[WubManager] ERROR: Could not startup the sound engine\n[MAIN] Screen: ", 0), 0u)
        << game.log();
    EXPECT_TRUE(game.running());
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
}
