#include <gtest/gtest.h>

#include <string>

#include "e2e/GameSession.h"
#include "level/LevelChecker.h"
#include "support/TestFiles.h"

using namespace testgame;

namespace {

const char* const editorHandOver = "--- EDITOR IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
const char* const levelInEdit = "mine/level.level";

bool sameColour(testsupport::Rgba a, testsupport::Rgba b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

std::string replacedOnce(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

// The test level's floor is a 640 x 32 platform at (0, 400); the start stands on it at x 100.
TEST(EditorE2ETest, DragAPlatformAddADecorationSaveAndPlayIt) {
    GameSession game;
    const std::string original = game.readGameFile("data/level1.level");
    testsupport::writeFile(game.dir() + "/" + levelInEdit, original);
    ASSERT_TRUE(game.start({}, {"--edit", levelInEdit}));
    ASSERT_TRUE(game.waitForLog(editorHandOver, 10)) << game.log();
    ASSERT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(30, 410), tileColour); }, 5));

    // The floor dragged 64 px right: its left end shows the background.
    game.drag(300, 410, 364, 412);
    EXPECT_TRUE(game.waitForScreen(
        [&] { return sameColour(game.pixel(30, 410), levelColour) && sameColour(game.pixel(100, 410), tileColour); },
        5));

    // The goal's picture from the palette (sorted: bg, brisel, continue, goal ...), placed as scenery.
    game.key("Tab");
    ASSERT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(256, 60), goalColour); }, 5));
    game.key("2");
    game.click(256, 60);
    game.click(405, 203);
    EXPECT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(416, 232), goalColour); }, 5));

    // Escape asks first while there are unsaved changes; once saved it quits.
    game.key("Escape");
    EXPECT_TRUE(game.waitForLog("[EDITOR] unsaved changes: Escape again quits\n", 5)) << game.log();
    game.key("ctrl+s");
    ASSERT_TRUE(game.waitForLog(std::string("[EDITOR] saved ") + levelInEdit + "\n", 5)) << game.log();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);

    const std::string saved = game.readGameFile(levelInEdit);
    const std::string moved =
        replacedOnce(original, "[Platform]\nimg: tile.png\nx: 0\n", "[Platform]\nimg: tile.png\nx: 64\n");
    EXPECT_EQ(saved, moved + "\n[Decoration]\nimg: goal.png\nx: 400\ny: 208\nend\n");
    EXPECT_EQ(game.readGameFile(std::string(levelInEdit) + "~"), original);
    EXPECT_TRUE(LevelChecker(game.dir()).check(game.dir() + "/" + levelInEdit).empty());

    // Played on its own, the player stands on the moved floor and never falls through.
    ASSERT_TRUE(game.start({}, {"--level", levelInEdit}));
    ASSERT_TRUE(game.waitForLog("brisel x 100 y 354\n", 10)) << game.log();
    EXPECT_TRUE(game.waitForScreen(
        [&] {
            return sameColour(game.pixel(100 + 17, 354 + 23), playerColour) &&
                   sameColour(game.pixel(30, 410), levelColour) && sameColour(game.pixel(416, 232), goalColour);
        },
        5));
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
    const std::string log = game.log();
    EXPECT_EQ(log.find("brisel x"), log.rfind("brisel x")) << log;
}

// The spike (64 x 16 at 260, 384) given a sideways float: its centre is (292, 392), the
// horizontal handle 32 px right of it, the vertical one not pulled out yet 20 px below it.
TEST(EditorE2ETest, TheFloatHandlesRewriteOnlyTheFloatLineOneDragAStep) {
    GameSession game;
    const std::string floating =
        replacedOnce(game.readGameFile("data/level1.level"), "partition: 1\n", "partition: 1\nxfloating: 32\n");
    testsupport::writeFile(game.dir() + "/" + levelInEdit, floating);
    ASSERT_TRUE(game.start({}, {"--edit", levelInEdit}));
    ASSERT_TRUE(game.waitForLog(editorHandOver, 10)) << game.log();
    ASSERT_TRUE(game.waitForScreen([&] { return sameColour(game.pixel(280, 390), trapColour); }, 5));

    game.click(280, 390);
    game.drag(324, 392, 356, 392);
    game.drag(292, 412, 292, 444);
    game.key("ctrl+z");
    game.key("ctrl+s");
    ASSERT_TRUE(game.waitForLog(std::string("[EDITOR] saved ") + levelInEdit + "\n", 5)) << game.log();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
    EXPECT_EQ(game.readGameFile(levelInEdit), replacedOnce(floating, "xfloating: 32\n", "xfloating: 64\n"));
}

// F2 edits the level on show; the editor's tries come back to it, F2 there plays the level and
// F2 again edits it as it was left, unsaved changes and all.
TEST(EditorE2ETest, PlayAndEditByTurnsAndCloseOnlyWhenAskedTwice) {
    const char* const gameHandOver = "--- GAME IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
    GameSession game;
    const std::string original = game.readGameFile("data/level1.level");
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForLog("--- MENU IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n", 10));
    game.click(207 + 113, 240 + 41);
    ASSERT_TRUE(game.waitForLog(gameHandOver, 10)) << game.log();
    game.key("F2");
    ASSERT_TRUE(game.waitForLog(editorHandOver, 10)) << game.log();
    EXPECT_NE(game.log().find("[EDITOR] editing data/level1.level\n"), std::string::npos) << game.log();

    // The start, one pixel right.
    game.click(100 + 17, 354 + 23);
    game.key("Right");
    game.key("F5");
    EXPECT_TRUE(game.waitForLog("brisel x 101 y 354\n", 10)) << game.log();
    game.key("Escape");
    EXPECT_TRUE(game.waitForLogCount(editorHandOver, 2, 10)) << game.log();

    // From the pointer over the spikes: the hazard at once, and back.
    game.moveMouse(292, 390);
    game.key("shift+F5");
    EXPECT_TRUE(game.waitForLog("[EDITOR] playing data/level1.level from x 275 y 344\n", 10)) << game.log();
    EXPECT_TRUE(game.waitForLogCount(editorHandOver, 3, 10)) << game.log();

    game.key("F2");
    EXPECT_TRUE(game.waitForLogCount(gameHandOver, 4, 10)) << game.log();
    EXPECT_TRUE(game.waitForLogCount("brisel x 101 y 354\n", 2, 10)) << game.log();
    game.key("F2");
    EXPECT_TRUE(game.waitForLogCount(editorHandOver, 4, 10)) << game.log();

    game.closeWindow();
    EXPECT_TRUE(game.waitForLog("[EDITOR] unsaved changes: closing again quits\n", 5)) << game.log();
    EXPECT_TRUE(game.running());
    game.closeWindow();
    EXPECT_EQ(game.waitForExit(10), 0);
    EXPECT_EQ(game.readGameFile("data/level1.level"), original);
}

// A level that cannot be saved where it is named: the editor says why and goes on, and a new
// level counts as unsaved until it is written.
TEST(EditorE2ETest, ANewLevelThatCannotBeSavedIsToldAndNothingIsWritten) {
    GameSession game;
    testsupport::writeFile(game.dir() + "/notes", "a file, not a folder");
    ASSERT_TRUE(game.start({}, {"--edit", "notes/new.level"}));
    ASSERT_TRUE(game.waitForLog("[EDITOR] editing notes/new.level (a new level)\n", 10)) << game.log();
    ASSERT_TRUE(game.waitForLog(editorHandOver, 10)) << game.log();
    game.key("ctrl+s");
    EXPECT_TRUE(game.waitForLog("[EDITOR] could not save notes/new.level: ", 5)) << game.log();
    game.key("Escape");
    EXPECT_TRUE(game.waitForLog("[EDITOR] unsaved changes: Escape again quits\n", 5)) << game.log();
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(10), 0);
    EXPECT_NE(game.log().find("[EDITOR] quit without saving\n"), std::string::npos) << game.log();
    EXPECT_EQ(game.readGameFile("notes"), "a file, not a folder");
}
