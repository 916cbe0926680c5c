#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e/GameSession.h"
#include "support/TestFiles.h"

using namespace testgame;

namespace {

const char* const gameHandOver = "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const char* const draft = "drafts/mine.level";

bool sameColour(testsupport::Rgba a, testsupport::Rgba b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// The test game's first level with its floor at floorY.
std::string levelWithFloorAt(const std::string& shipped, int floorY) {
    std::string text = shipped;
    const size_t at = text.find("y: 400\n");
    return text.replace(at, 7, "y: " + std::to_string(floorY) + "\n");
}

std::vector<unsigned char> solidTile(testsupport::Rgba colour) {
    std::vector<unsigned char> pixels;
    for (int i = 0; i < 640 * 32; ++i) {
        pixels.insert(pixels.end(), {colour.r, colour.g, colour.b, colour.a});
    }
    return pixels;
}

}  // namespace

// An author's level outside data/ plays at once; saving it, or its picture, shows the change
// while the game runs, and a save that cannot be played leaves the level as it was.
TEST(AuthoringE2ETest, ALevelGivenByPathReloadsWhenItsFileOrPictureIsSaved) {
    GameSession game;
    const std::string shipped = game.readGameFile("data/level1.level");
    std::filesystem::create_directories(game.dir() + "/drafts");
    testsupport::writeFile(game.dir() + "/" + draft, shipped);
    ASSERT_TRUE(game.start({}, {"--level", draft}));
    ASSERT_TRUE(game.waitForLog(gameHandOver, 10)) << game.log();
    EXPECT_EQ(game.log().find("MENU IS ASSUMING"), std::string::npos) << "no title menu first";
    EXPECT_NE(game.log().find("[LEVEL] loading drafts/mine.level\n"), std::string::npos);
    ASSERT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(500, 410), tileColour); }, 5));

    // The floor moves down under the player, who stays where it stood and falls onto it.
    testsupport::writeFile(game.dir() + "/" + draft, levelWithFloorAt(shipped, 440));
    EXPECT_TRUE(game.waitForScreen(
        [&] {
            return sameColour(game.pixel(500, 450), tileColour) && sameColour(game.pixel(500, 410), levelColour) &&
                   sameColour(game.pixel(100 + 17, 440 - 23), playerColour);
        },
        5));
    EXPECT_TRUE(game.waitForLog("[LEVEL] reloaded drafts/mine.level\n", 2)) << game.log();

    // A new picture for the floor shows on the same floor.
    const testsupport::Rgba newTile{10, 200, 220, 255};
    testsupport::writeRgbaPng(game.dir() + "/sprites/tile.png", 640, 32, solidTile(newTile));
    EXPECT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(500, 450), newTile); }, 5));

    // Half a level is not played: the last good one stays and the log says why.
    testsupport::writeFile(game.dir() + "/" + draft, "[Properties]\nwidth: 640\n");
    EXPECT_TRUE(game.waitForLog("[LEVEL] not reloaded drafts/mine.level: section [Properties]", 5)) << game.log();
    ASSERT_TRUE(game.screenshot());
    EXPECT_TRUE(sameColour(game.pixel(500, 450), newTile));

    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0) << "Escape ends a level played on its own";
}
