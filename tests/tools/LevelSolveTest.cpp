// levelsolve must write only keys that really win the level, and say so when it finds none.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/SharedState.h"
#include "game/FairnessCheck.h"
#include "game/Game.h"
#include "game/InputScript.h"
#include "game/ScriptedPlay.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

using testsupport::writeFile;

namespace {

// Ground with a pit, a spike on the far side of it and a ledge 80 px up holding the goal.
const std::string winnable =
    "[Properties]\nwidth: 1280\nheight: 480\nspawnx: 40\nspawny: 354\nwinimg: goal.png\nwinx: 1000\nwiny: 244\n"
    "nextmap: finish\nend\n[BG]\nimg: view.png\nend\n"
    "[Platform]\nimg: tile.png\nx: 0\ny: 400\nw: 480\nh: 80\nend\n"
    "[Platform]\nimg: tile.png\nx: 640\ny: 400\nw: 640\nh: 80\nend\n"
    "[Platform]\nimg: tile.png\nx: 940\ny: 320\nw: 160\nh: 32\nend\n"
    "[Trap]\nimg: spike.png\npartition: 1\nx: 720\ny: 384\nend\n";

// The goal hangs far above a flat floor.
const std::string unwinnable =
    "[Properties]\nwidth: 640\nheight: 480\nspawnx: 40\nspawny: 354\nwinimg: goal.png\nwinx: 300\nwiny: 20\n"
    "nextmap: finish\nend\n[BG]\nimg: view.png\nend\n"
    "[Platform]\nimg: tile.png\nx: 0\ny: 400\nw: 640\nh: 80\nend\n";

void writePicture(const std::string& path, int width, int height) {
    testsupport::writeRgbaPng(path, width, height, std::vector<unsigned char>(width * height * 4, 180));
}

void writeGameFolder() {
    writePicture("sprites/brisel.png", 384, 168);
    writePicture("sprites/goal.png", 40, 56);
    writePicture("sprites/view.png", 640, 480);
    writePicture("sprites/tile.png", 64, 32);
    writePicture("sprites/spike.png", 32, 16);
}

int solve(const std::string& level, const std::string& arguments) {
    const std::string tool = testsupport::binaryDir() + "/tools/levelsolve";
    // The solver needs no display.
    return std::system(
        ("env -u DISPLAY " + tool + " " + level + " keys.txt " + arguments + " >solve.txt 2>&1").c_str());
}

}  // namespace

TEST(LevelSolveTest, WritesKeysThatWinTheLevelWithoutARespawn) {
    testsupport::ScopedTempDir dir;
    writeGameFolder();
    writeFile("data/test.level", winnable);
    ASSERT_EQ(solve("test.level", "--via 1020,297 --ticks 1200"), 0) << testsupport::readFile("solve.txt");

    const std::string keys = testsupport::readFile("keys.txt");
    EXPECT_EQ(keys.rfind("; test.level, seed 1: goal reached after ", 0), 0u) << keys;
    std::ifstream in("keys.txt");
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.parse(in, error)) << error;

    testsupport::ensureGlContext(640, 480);
    testsupport::LogCapture log;
    SharedState shared;
    Game game(&shared);
    std::srand(1);
    ASSERT_TRUE(game.newGame("test.level"));
    const ScriptedPlay::Result result = ScriptedPlay::play(game, script, 1200);
    EXPECT_EQ(result.end, ScriptedPlay::End::Won);
    EXPECT_EQ(result.respawns, 0);
    EXPECT_NE(keys.find(" after " + std::to_string(result.ticks) + " ticks"), std::string::npos) << keys;
}

// Keys found to be played by a person keep their distance from the spike and survive any one
// key event a tick early or a tick late.
TEST(LevelSolveTest, KeepsTheMarginAndFindsKeysThatForgiveATickEitherWay) {
    testsupport::ScopedTempDir dir;
    writeGameFolder();
    writeFile("data/test.level", winnable);
    ASSERT_EQ(solve("test.level", "--via 1020,297 --ticks 1200 --margin 12 --settle 2 --robust 600"), 0)
        << testsupport::readFile("solve.txt");

    std::ifstream in("keys.txt");
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.parse(in, error)) << error;
    FairnessCheck::Options options;
    options.seeds = 1;
    FairnessCheck check("test.level", script, {}, options);
    FairnessCheck::Report report;
    ASSERT_TRUE(check.run(report));
    EXPECT_TRUE(report.won);
    EXPECT_GE(report.closestPass, 12);
    EXPECT_EQ(report.failingBothSides, 0) << testsupport::readFile("keys.txt");
}

TEST(LevelSolveTest, FailsWithoutKeysAndKeepsTheFurthestPlayWhenTheGoalIsOutOfReach) {
    testsupport::ScopedTempDir dir;
    writeGameFolder();
    writeFile("data/high.level", unwinnable);
    EXPECT_NE(solve("high.level", "--ticks 200"), 0);
    EXPECT_FALSE(testsupport::fileExists("keys.txt"));
    EXPECT_NE(testsupport::readFile("keys.txt.part").find("furthest play"), std::string::npos);
}
