#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

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
int distinctColours(const GameSession& game, int scale = 1) {
    std::set<uint32_t> colours;
    for (int y = 0; y < 480 * scale; y += 8 * scale) {
        for (int x = 0; x < 640 * scale; x += 8 * scale) {
            const testsupport::Rgba p = game.pixel(x, y);
            colours.insert(uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b);
        }
    }
    return static_cast<int>(colours.size());
}

// On a busy machine the first frame may still be on its way: waits for a drawn one, of the
// window's size at that scale.
bool waitForDrawnMenu(GameSession& game, int scale) {
    for (int attempt = 0; attempt < 25; ++attempt) {
        pause(0.2);
        if (game.screenshot() && game.shotWidthNow() == 640 * scale && distinctColours(game, scale) > 16) {
            return true;
        }
    }
    return false;
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
    EXPECT_TRUE(waitForDrawnMenu(game, 1)) << "the title menu was never drawn";
    keep(game, "menu.png");
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
}

// A window of twice the view's size shows the picture of a 640 x 480 window, each pixel a
// 2 x 2 square, however the enlargement is made.
TEST(ScreenshotE2ETest, TwiceTheViewShowsTheTitleMenuOfScaleOneEnlargedPixelForPixel) {
    std::vector<std::vector<testsupport::Rgba>> shots;
    for (const int scale : {1, 2}) {
        GameSession game(GameSession::Content::ShippedGame);
        testsupport::writeFile(game.dir() + "/settings.ini",
                               "[window]\nfullscreen=0\nwidth=" + std::to_string(640 * scale) +
                                   "\nheight=" + std::to_string(480 * scale) + "\nscale=auto\n");
        ASSERT_TRUE(game.start());
        ASSERT_TRUE(game.waitForLog(menuHandOver, 10));
        game.moveMouse(5 * scale, 5 * scale);
        ASSERT_TRUE(waitForDrawnMenu(game, scale)) << "the title menu was never drawn at scale " << scale;
        std::vector<testsupport::Rgba> pixels;
        for (int y = 0; y < 480 * scale; ++y) {
            for (int x = 0; x < 640 * scale; ++x) {
                pixels.push_back(game.pixel(x, y));
            }
        }
        shots.push_back(pixels);
        game.key("Escape");
        EXPECT_EQ(game.waitForExit(10), 0);
    }
    int wrong = 0;
    for (int y = 0; y < 960; ++y) {
        for (int x = 0; x < 1280; ++x) {
            const testsupport::Rgba once = shots[0][static_cast<size_t>(y / 2) * 640 + x / 2];
            const testsupport::Rgba twice = shots[1][static_cast<size_t>(y) * 1280 + x];
            if ((once.r != twice.r || once.g != twice.g || once.b != twice.b) && ++wrong <= 5) {
                ADD_FAILURE() << "pixel " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(ScreenshotE2ETest, FirstMeadow) {
    GameSession game(GameSession::Content::ShippedGame);
    playLevel(game, "level1.level", "meadow.png", 1.2);
}

TEST(ScreenshotE2ETest, Caverns) {
    GameSession game(GameSession::Content::ShippedGame);
    playLevel(game, "level3.level", "caverns.png", 1.0);
}
