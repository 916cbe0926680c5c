#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "level/LevelChecker.h"
#include "support/TestFiles.h"

using testsupport::ScopedTempDir;
using testsupport::writeFile;

namespace {

const std::string goodProperties =
    "[Properties]\nwidth: 640\nheight: 480\nspawnx: 40\nspawny: 354\nwinimg: goal.png\nwinx: 560\nwiny: 340\n"
    "nextmap: finish\nend\n";

// The ground under goodProperties' start.
const std::string floorSection = "[Platform]\nx: 0\ny: 400\nw: 640\nh: 32\nend\n";

// A small game folder: a goal picture of 32 x 48, a tile, a loop sound.
void writeGameFolder() {
    testsupport::writeRgbaPng("sprites/goal.png", 32, 48, std::vector<unsigned char>(32 * 48 * 4, 255));
    testsupport::writeRgbaPng("sprites/tile.png", 64, 32, std::vector<unsigned char>(64 * 32 * 4, 200));
    testsupport::writeToneWav("sounds/hum.wav", 0.1, 220);
}

std::vector<std::string> checkLevel(const std::string& text) {
    writeFile("data/test.level", text);
    return LevelChecker(".").check("data/test.level");
}

::testing::AssertionResult reports(const std::vector<std::string>& problems, const std::string& expected) {
    for (const std::string& problem : problems) {
        if (problem == expected) {
            return ::testing::AssertionSuccess();
        }
    }
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "no \"" << expected << "\" among:";
    for (const std::string& problem : problems) {
        failure << "\n  " << problem;
    }
    return failure;
}

}  // namespace

TEST(LevelCheckerTest, ASoundLevelHasNoProblems) {
    ScopedTempDir dir;
    writeGameFolder();
    const auto problems = checkLevel(goodProperties +
                                     "[BG]\nimg: sprites/tile.png\nend\n"
                                     "[Platform]\nimg: tile.png\nx: 0\ny: 400\nw: 640\nh: 32\nend\n"
                                     "[Trap]\nimg: tile.png\npartition: 2\nx: 300\ny: 380\nsfx: sounds/hum.wav\nend\n");
    EXPECT_TRUE(problems.empty()) << problems.front();
}

TEST(LevelCheckerTest, MissingPicturesSoundsAndMusicAreReportedWithTheirLines) {
    ScopedTempDir dir;
    writeGameFolder();
    writeFile("sprites/broken.png", "not a picture");
    writeFile("sounds/broken.ogg", "OggS but not really");
    const auto problems = checkLevel(goodProperties +
                                     "[Trap]\nimg: saw.png\nsfx: sounds/saw.wav\nend\n"
                                     "[Decoration]\nimg: broken.png\nend\n"
                                     "[Properties]\nmusic: sounds/none.ogg\nmusic: sounds/broken.ogg\n"
                                     "music: sounds/hum.wav\nend\n");
    EXPECT_TRUE(reports(problems, "data/test.level:12: picture sprites/saw.png is missing or cannot be loaded"));
    EXPECT_TRUE(reports(problems, "data/test.level:13: sound sounds/saw.wav is missing or cannot be loaded"));
    EXPECT_TRUE(reports(problems, "data/test.level:16: picture sprites/broken.png is missing or cannot be loaded"));
    EXPECT_TRUE(reports(problems, "data/test.level:19: music sounds/none.ogg is missing or cannot be loaded"));
    EXPECT_TRUE(reports(problems, "data/test.level:20: music sounds/broken.ogg is missing or cannot be loaded"));
    EXPECT_EQ(problems.size(), 5u);
}

TEST(LevelCheckerTest, SectionsWithoutEndAreReported) {
    ScopedTempDir dir;
    writeGameFolder();
    const auto interrupted = checkLevel(goodProperties + "[Platform]\nx: 0\n[Trap]\nx: 1\nend\n[Mystery]\n");
    EXPECT_TRUE(reports(interrupted,
                        "data/test.level:11: section [Platform] is not closed with \"end\"; line 13 interrupts it, "
                        "so it is dropped and [Trap] is ignored"));
    EXPECT_TRUE(reports(interrupted, "data/test.level:16: unknown section [Mystery]: its lines are ignored"));
    const auto unfinished = checkLevel(goodProperties + "[Decoration]\nimg: goal.png\n");
    EXPECT_TRUE(reports(
        unfinished, "data/test.level:11: section [Decoration] is not closed with \"end\" before the end of the file"));
}

TEST(LevelCheckerTest, MissingPropertiesAndMisorderedGoalAreReported) {
    ScopedTempDir dir;
    writeGameFolder();
    const auto problems = checkLevel(
        "[Properties]\nwinx: 560\nwidth: 640\nheight: 480\nspawnx: 40\nspawny: 354\n"
        "winimg: goal.png\nwiny: 340\nend\n");
    EXPECT_TRUE(reports(problems, "data/test.level:0: property nextmap is not given"));
    EXPECT_TRUE(reports(problems, "data/test.level:2: winx comes before winimg, which puts the goal back at 0"));
}

TEST(LevelCheckerTest, StartAndGoalMustLieInsideTheLevelAndTheStartClearOfPlatforms) {
    ScopedTempDir dir;
    writeGameFolder();
    auto level = [](int spawnX, int spawnY, int winX) {
        return "[Properties]\nwidth: 640\nheight: 480\nspawnx: " + std::to_string(spawnX) +
               "\nspawny: " + std::to_string(spawnY) + "\nwinimg: goal.png\nwinx: " + std::to_string(winX) +
               "\nwiny: 100\nnextmap: finish\nend\n[Platform]\nx: 0\ny: 400\nw: 640\nh: 32\nend\n";
    };
    EXPECT_TRUE(checkLevel(level(606, 354, 608)).empty()) << "touching the right edge is inside";
    EXPECT_TRUE(reports(checkLevel(level(607, 354, 560)),
                        "data/test.level:4: the start box (607, 354, 34 x 46) is not inside the level"));
    EXPECT_TRUE(
        reports(checkLevel(level(40, 355, 560)), "data/test.level:4: the start box is inside the platform of line 11"));
    EXPECT_TRUE(reports(checkLevel(level(40, 354, 609)), "data/test.level:6: the goal is not inside the level"));
}

// The player comes back on a checkpoint's foot, centred on one frame of its picture.
TEST(LevelCheckerTest, ACheckpointMustLeaveThePlayerAFreePlaceInsideTheLevel) {
    ScopedTempDir dir;
    writeGameFolder();
    auto level = [](int x, int y) {
        return goodProperties +
               "[Platform]\nx: 0\ny: 400\nw: 640\nh: 32\nend\n[Checkpoint]\nimg: goal.png\npartition: 2\nx: " +
               std::to_string(x) + "\ny: " + std::to_string(y) + "\nend\n";
    };
    EXPECT_TRUE(checkLevel(level(300, 352)).empty());
    EXPECT_TRUE(reports(checkLevel(level(300, 353)),
                        "data/test.level:17: the player's place at this checkpoint is inside the platform of line 11"));
    // A frame 16 wide: the player's box starts 9 pixels left of it.
    EXPECT_TRUE(checkLevel(level(9, 352)).empty());
    EXPECT_TRUE(reports(checkLevel(level(8, 352)),
                        "data/test.level:17: the player's place at this checkpoint is not inside the level"));
    EXPECT_TRUE(reports(checkLevel(goodProperties + "[Checkpoint]\nimg: flag.png\nx: 300\ny: 300\nend\n"),
                        "data/test.level:12: picture sprites/flag.png is missing or cannot be loaded"));
}

TEST(LevelCheckerTest, NextLevelMustExist) {
    ScopedTempDir dir;
    writeGameFolder();
    std::string text = goodProperties;
    text.replace(text.find("nextmap: finish"), 15, "nextmap: level9.level");
    EXPECT_TRUE(reports(checkLevel(text), "data/test.level:9: next level data/level9.level does not exist"));
    writeFile("data/level9.level", "");
    EXPECT_TRUE(checkLevel(text).empty());
}

TEST(LevelCheckerTest, ToolExitsNonZeroOnProblemsAndPassesTheShippedLevels) {
    ScopedTempDir dir;
    writeGameFolder();
    writeFile("data/bad.level", "[Properties]\nwidth: 640\n");
    const std::string tool = testsupport::binaryDir() + "/tools/levelcheck";
    EXPECT_NE(std::system((tool + " data/bad.level >out.txt").c_str()), 0);
    EXPECT_NE(testsupport::readFile("out.txt").find("data/bad.level:1: section [Properties] is not closed"),
              std::string::npos);

    std::string shipped;
    for (const auto& entry : std::filesystem::directory_iterator(testsupport::sourceDir() + "/data")) {
        if (entry.path().extension() == ".level") {
            shipped += " data/" + entry.path().filename().string();
        }
    }
    ASSERT_FALSE(shipped.empty());
    const std::string command = tool + " --game " + testsupport::sourceDir() + shipped + " >shipped.txt";
    EXPECT_EQ(std::system(command.c_str()), 0) << testsupport::readFile("shipped.txt");
}

TEST(LevelCheckerTest, LinesTheGameIgnoresOrUndoesAreWarningsNotErrors) {
    ScopedTempDir dir;
    writeGameFolder();
    struct Case {
        const char* section;
        const char* warning;
    };
    const Case cases[] = {
        {"[Decoration]\nimg: goal.png\ncolour: red\nend\n",
         "data/test.level:13: warning: unknown key \"colour\" in [Decoration]; the line is ignored"},
        {"[Platform]\nimg: tile.png\nH: 32\nend\n",
         "data/test.level:13: warning: key \"H\" in [Platform] is not \"h\" (letter case counts); the line is ignored"},
        {"[Decoration]\nimg: goal.png\nfloating: YES\nend\n",
         "data/test.level:13: warning: \"floating: YES\" is not a switch word the game takes (yes, Yes, true or True); "
         "the line is ignored"},
        {"[Decoration]\nimg: goal.png\nstill: YES\nend\n",
         "data/test.level:13: warning: \"still: YES\" is not a switch word the game takes (yes, Yes, true or True); "
         "the line is ignored"},
        {"[Decoration]\nimg: goal.png\nflip: true\nend\n",
         "data/test.level:13: warning: \"flip: true\" is not a switch word the game takes (yes, YES, TRUE or ON); "
         "the line is ignored"},
        {"[Decoration]\nx: 5\nimg: goal.png\nend\n",
         "data/test.level:12: warning: x comes before the img of line 13, which undoes it"},
        {"[Trap]\npartition: 2\nimg: tile.png\nend\n",
         "data/test.level:12: warning: partition before any img line has no picture to act on"},
        {"[Platform]\nw: 5\nw: 640\nend\n",
         "data/test.level:12: warning: w is given again on line 13, which overrides this line"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        writeFile("data/test.level", goodProperties + c.section + floorSection);
        const LevelChecker::Findings found = LevelChecker(".").inspect("data/test.level");
        EXPECT_TRUE(found.errors.empty()) << found.errors.front();
        EXPECT_EQ(found.warnings, std::vector<std::string>{c.warning});
    }
}

TEST(LevelCheckerTest, ChecksTheLevelAsTheGameLoadsIt) {
    ScopedTempDir dir;
    writeGameFolder();
    std::string text = goodProperties;
    text.replace(text.find("spawnx"), 6, "Spawnx");
    // The game keeps a platform the file ends in, and never loads a picture named in the properties.
    const auto problems =
        checkLevel(text + "[Properties]\nimg: missing.png\nend\n[Platform]\nx: 0\ny: 380\nw: 64\nh: 32\n");
    EXPECT_TRUE(reports(problems, "data/test.level:0: property spawnx is not given"));
    EXPECT_TRUE(reports(problems, "data/test.level:0: the start box is inside the platform of line 14"));
    for (const std::string& problem : problems) {
        EXPECT_EQ(problem.find("missing.png"), std::string::npos) << problem;
    }
}

TEST(LevelCheckerTest, ToolFailsOnWarningsOnlyWhenStrict) {
    ScopedTempDir dir;
    writeGameFolder();
    writeFile("data/warned.level", goodProperties + "[Decoration]\nimg: goal.png\ncolour: red\nend\n");
    const std::string tool = testsupport::binaryDir() + "/tools/levelcheck";
    EXPECT_EQ(std::system((tool + " data/warned.level >out.txt").c_str()), 0);
    EXPECT_NE(testsupport::readFile("out.txt").find("data/warned.level:13: warning: unknown key"), std::string::npos)
        << testsupport::readFile("out.txt");
    EXPECT_NE(std::system((tool + " --strict data/warned.level >out.txt").c_str()), 0);

    std::string shipped;
    for (const auto& entry : std::filesystem::directory_iterator(testsupport::sourceDir() + "/data")) {
        if (entry.path().extension() == ".level") {
            shipped += " data/" + entry.path().filename().string();
        }
    }
    const std::string command = tool + " --strict --game " + testsupport::sourceDir() + shipped + " >shipped.txt";
    EXPECT_EQ(std::system(command.c_str()), 0) << testsupport::readFile("shipped.txt");
}

TEST(LevelCheckerTest, StartsThatCannotBePlayedAreReported) {
    ScopedTempDir dir;
    writeGameFolder();
    auto level = [](int winX, int winY, const std::string& platforms) {
        return "[Properties]\nwidth: 640\nheight: 480\nspawnx: 40\nspawny: 354\nwinimg: goal.png\nwinx: " +
               std::to_string(winX) + "\nwiny: " + std::to_string(winY) + "\nnextmap: finish\nend\n" + platforms;
    };
    const std::string wonAtOnce =
        "data/test.level:4: the goal overlaps the start box, so the level is won the moment it "
        "starts";
    EXPECT_TRUE(reports(checkLevel(level(60, 380, floorSection)), wonAtOnce));
    EXPECT_TRUE(checkLevel(level(74, 354, floorSection)).empty()) << "touching is no overlap";

    const std::string fallsOut =
        "data/test.level:4: warning: no platform lies under the start box, so the player falls "
        "out of the level at once";
    auto warnings = [&](const std::string& platforms) {
        writeFile("data/test.level", level(560, 340, platforms));
        return LevelChecker(".").inspect("data/test.level").warnings;
    };
    EXPECT_EQ(warnings(""), std::vector<std::string>{fallsOut});
    EXPECT_EQ(warnings("[Platform]\nx: 74\ny: 400\nw: 100\nh: 32\nend\n"), std::vector<std::string>{fallsOut})
        << "beside the start";
    EXPECT_EQ(warnings("[Platform]\nx: 0\ny: 100\nw: 640\nh: 32\nend\n"), std::vector<std::string>{fallsOut})
        << "above the start";
    EXPECT_EQ(warnings("[Platform]\nx: 0\ny: 480\nw: 640\nh: 32\nend\n"), std::vector<std::string>{fallsOut})
        << "below the level's bottom";
    EXPECT_TRUE(warnings("[Platform]\nx: 73\ny: 470\nw: 10\nh: 5\nend\n").empty()) << "far down, one pixel under";
}

TEST(LevelCheckerTest, ChainsOfLevelsThatNeverReachFinishAreWarnings) {
    ScopedTempDir dir;
    writeGameFolder();
    auto leadingTo = [](const std::string& next) {
        std::string text = goodProperties + floorSection;
        return text.replace(text.find("nextmap: finish"), 15, "nextmap: " + next);
    };
    auto warnings = [&](const std::string& next) {
        writeFile("data/test.level", leadingTo(next));
        return LevelChecker(".").inspect("data/test.level").warnings;
    };
    EXPECT_EQ(warnings("test.level"),
              std::vector<std::string>{"data/test.level:9: warning: the levels lead back to this "
                                       "one (test.level -> test.level) and never to finish"});
    writeFile("data/b.level", leadingTo("data/test.level"));
    EXPECT_EQ(warnings("b.level"), std::vector<std::string>{"data/test.level:9: warning: the levels lead back to this "
                                                            "one (test.level -> b.level -> data/test.level) and never "
                                                            "to finish"});
    writeFile("data/b.level", leadingTo("c.level"));
    writeFile("data/c.level", leadingTo("b.level"));
    EXPECT_EQ(warnings("b.level"),
              std::vector<std::string>{"data/test.level:9: warning: the levels that follow go round in a loop "
                                       "(test.level -> b.level -> c.level -> b.level) and never to finish"});
    writeFile("data/c.level", leadingTo("finish"));
    EXPECT_TRUE(warnings("b.level").empty());
}

TEST(LevelCheckerTest, ToolSaysWhyALevelCannotBeOpenedAndShowsNulBytes) {
    ScopedTempDir dir;
    writeGameFolder();
    std::filesystem::create_directories("data/folder.level");
    writeFile("data/nul.level", goodProperties + floorSection + "[Decoration]\nimg: goal.png\nco" +
                                    std::string(1, '\0') + "lour: red\nend\n");
    const std::string tool = testsupport::binaryDir() + "/tools/levelcheck";
    EXPECT_NE(std::system((tool + " data/none.level data/folder.level data/nul.level >out.txt").c_str()), 0);
    const std::string out = testsupport::readFile("out.txt");
    EXPECT_NE(out.find("data/none.level:0: cannot be opened: No such file or directory\n"), std::string::npos) << out;
    EXPECT_NE(out.find("data/folder.level:0: cannot be opened: not a regular file\n"), std::string::npos) << out;
    EXPECT_NE(out.find("data/nul.level:19: warning: unknown key \"co\\0lour\" in [Decoration]; the line is ignored\n"),
              std::string::npos)
        << out;
}

TEST(LevelCheckerTest, ATextInMemoryIsCheckedAsTheSameFileWouldBe) {
    ScopedTempDir dir;
    writeGameFolder();
    const std::string text = goodProperties + "[Platform]\nimg: gone.png\nx: 0\ny: 400\nw: 640\nh: 32\nend\n" +
                             "[Decoration]\nx: 5\nimg: tile.png\n[Trap]\nend\n";
    writeFile("data/test.level", text);
    const LevelChecker checker(".");
    const LevelChecker::Findings fromFile = checker.inspect("data/test.level");
    const LevelChecker::Findings fromText = checker.inspectText(text, "data/test.level");
    EXPECT_EQ(fromText.errors, fromFile.errors);
    EXPECT_EQ(fromText.warnings, fromFile.warnings);
    EXPECT_TRUE(
        reports(fromText.errors, "data/test.level:12: picture sprites/gone.png is missing or cannot be loaded"));
    writeFile("data/test.level", goodProperties + floorSection);
    EXPECT_FALSE(checker.inspectText(text, "data/test.level").errors.empty());
}
