#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

#include "e2e/GameSession.h"
#include "support/TestFiles.h"

// Plays the shipped game for a moment and takes the pictures README.md shows. With
// VANTOREL_SCREENSHOTS set to a folder the pictures are saved there (tools/screenshots.sh).
namespace {

const char* const menuHandOver = "--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const char* const gameHandOver = "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";

void keep(const GameSession& game, const std::string& name) {
    if (const char* folder = std::getenv("VANTOREL_SCREENSHOTS")) {
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(game.savePng(std::string(folder) + "/" + name));
    }
}

void pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Enough distinct colours that the picture is a scene, not a cleared or single-colour window.
int distinctColours(const GameSession& game) {
    std::set<uint32_t> colours;
    for (int y = 0; y < 480; y += 8) {
        for (int x = 0; x < 640; x += 8) {
            const testsupport::Rgba p = game.pixel(x, y);
            colours.insert(uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b);
        }
    }
    return static_cast<int>(colours.size());
}

// Starts the shipped game with the given level in the first level's place.
void playLevel(GameSession& game, const std::string& level, const std::string& shot, double walkSeconds) {
    if (level != "level1.level") {
        std::filesystem::copy_file(game.dir() + "/data/" + level, game.dir() + "/data/level1.level",
                                   std::filesystem::copy_options::overwrite_existing);
    }
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    game.click(320, 281);
    ASSERT_TRUE(game.waitForLog(gameHandOver, 10)) << game.log();
    game.keyDown("Right");
    pause(walkSeconds);
    game.key("space");
    pause(0.25);
    ASSERT_TRUE(game.screenshot());
    game.keyUp("Right");
    EXPECT_GT(distinctColours(game), 16);
    keep(game, shot);
    game.key("Escape");
    ASSERT_TRUE(game.waitForLogCount(menuHandOver, 2, 10));
    // Pressed again while the game has not yet read the first release, the toolkit's repeat
    // filter takes the two presses for one held key; nobody presses that fast.
    pause(0.2);
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
}

}  // namespace

TEST(ScreenshotE2ETest, TitleMenu) {
    GameSession game(GameSession::Content::ShippedGame);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
    game.moveMouse(320, 281);
    // On a busy machine the first frame may still be on its way: wait for a drawn one.
    bool drawn = false;
    for (int attempt = 0; attempt < 25 && !drawn; ++attempt) {
        pause(0.2);
        drawn = game.screenshot() && distinctColours(game) > 16;
    }
    EXPECT_TRUE(drawn) << "the title menu was never drawn";
    keep(game, "menu.png");
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
}

TEST(ScreenshotE2ETest, FirstMeadow) {
    GameSession game(GameSession::Content::ShippedGame);
    playLevel(game, "level1.level", "meadow.png", 1.2);
}

TEST(ScreenshotE2ETest, Caverns) {
    GameSession game(GameSession::Content::ShippedGame);
    playLevel(game, "level3.level", "caverns.png", 1.0);
}
