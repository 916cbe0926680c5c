#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "graphics/Image.h"
#include "level/Level.h"
#include "objects/Checkpoint.h"
#include "objects/Platform.h"
#include "objects/Trap.h"
#include "sound/WubManager.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;
using testsupport::readPixel;
using testsupport::Rgba;
using testsupport::ScopedTempDir;
using testsupport::writeFile;

namespace {

const char* const kLoadedLine = "[LEVEL] file loaded successfully.\n";
const char* const kFailedLine = "[LEVEL] ERROR: file failed to open!\n";

// Writes data/<name> and loads it through the bare name, as the game does.
bool loadText(Level& level, const std::string& text, const std::string& name = "test.level") {
    writeFile("data/" + name, text);
    return level.loadFromFile(name);
}

// A picture of one colour; pictures that must load need a GL context first.
void writePicture(const std::string& path, int width, int height, Rgba colour = Rgba{255, 255, 255, 255}) {
    std::vector<unsigned char> pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.insert(pixels.end(), {colour.r, colour.g, colour.b, colour.a});
    }
    testsupport::writeRgbaPng(path, width, height, pixels);
}

// A mono 16-bit PCM WAV file of a short ramp, written by hand.
void writeWav(const std::string& path) {
    const int frames = 800;
    const uint32_t rate = 8000;
    std::string bytes;
    auto put32 = [&bytes](uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&bytes](uint16_t v) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>(v >> 8));
    };
    bytes += "RIFF";
    put32(36 + frames * 2);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    bytes += "data";
    put32(frames * 2);
    for (int i = 0; i < frames; ++i) {
        put16(static_cast<uint16_t>((i % 100) * 300));
    }
    writeFile(path, bytes);
}

std::vector<int> platformXs(const Level& level) {
    std::vector<int> xs;
    for (const Platform* platform : level.platforms) xs.push_back(platform->x);
    return xs;
}

std::vector<int> decorationXs(const std::vector<Decoration*>& list) {
    std::vector<int> xs;
    for (const Decoration* decoration : list) xs.push_back(decoration->x);
    return xs;
}

void expectEmpty(const Level& level) {
    EXPECT_EQ(level.width, 0);
    EXPECT_EQ(level.height, 0);
    EXPECT_EQ(level.spawnX, 0);
    EXPECT_EQ(level.spawnY, 0);
    EXPECT_TRUE(level.nextMap.empty());
    EXPECT_EQ(level.background, nullptr);
    EXPECT_TRUE(level.backDecorations.empty());
    EXPECT_TRUE(level.frontDecorations.empty());
    EXPECT_TRUE(level.platforms.empty());
    EXPECT_TRUE(level.traps.empty());
}

// ---- the file name and opening ----

TEST(LevelFileNameTest, BareNameOpensTheFileInData) {
    ScopedTempDir dir;
    writeFile("data/level1.level", "[Properties]\nwidth: 123\nend\n");
    LogCapture log;
    Level level;
    EXPECT_TRUE(level.loadFromFile("level1.level"));
    EXPECT_EQ(level.width, 123);
    EXPECT_EQ(log.text().rfind("[LEVEL] loading data/level1.level\n", 0), 0u) << log.text();
}

TEST(LevelFileNameTest, NameWithDataInFrontGetsNoSecondPrefix) {
    ScopedTempDir dir;
    writeFile("data/level1.level", "[Properties]\nwidth: 123\nend\n");
    LogCapture log;
    Level level;
    EXPECT_TRUE(level.loadFromFile("data/level1.level"));
    EXPECT_EQ(level.width, 123);
    EXPECT_EQ(log.text().rfind("[LEVEL] loading data/level1.level\n", 0), 0u) << log.text();
}

TEST(LevelFileNameTest, NameStartingWithDataButNoSlashIsPrefixed) {
    ScopedTempDir dir;
    writeFile("data/database.level", "[Properties]\nwidth: 7\nend\n");
    writeFile("database.level", "[Properties]\nwidth: 99\nend\n");
    LogCapture log;
    Level level;
    EXPECT_TRUE(level.loadFromFile("database.level"));
    EXPECT_EQ(level.width, 7);
    EXPECT_EQ(log.text().rfind("[LEVEL] loading data/database.level\n", 0), 0u) << log.text();
}

TEST(LevelFileNameTest, MissingFileLogsTheErrorAndLeavesTheLevelEmpty) {
    ScopedTempDir dir;
    LogCapture log;
    Level level;
    EXPECT_FALSE(level.loadFromFile("none.level"));
    EXPECT_EQ(log.text(), std::string("[LEVEL] loading data/none.level\n") + kFailedLine +
                              "[LEVEL] data/none.level: No such file or directory\n");
    expectEmpty(level);
}

// An editor that ends lines with a carriage return alone made the whole file one comment line.
TEST(LevelFileNameTest, CarriageReturnsAloneEndTheLines) {
    ScopedTempDir dir;
    LogCapture log;
    Level level;
    ASSERT_TRUE(loadText(level,
                         "; a level saved with old Mac line ends\r[Properties]\rwidth: 640\rspawny: 354\rend\r"
                         "[Platform]\rx: 7\ry: 400\rw: 640\rh: 80\rend\r[Platform]\rx: 9\rend"));
    EXPECT_EQ(level.width, 640);
    EXPECT_EQ(level.spawnY, 354);
    EXPECT_EQ(platformXs(level), (std::vector<int>{7, 9}));
    EXPECT_EQ(log.text(), std::string("[LEVEL] loading data/test.level\nlevel width set to 640\nspawn y set to 354\n") +
                              kLoadedLine);
    // A line feed anywhere keeps the designed reading: a carriage return inside a line stays in it.
    Level mixed;
    ASSERT_TRUE(loadText(mixed, "[Properties]\rwidth: 640\n"));
    EXPECT_EQ(mixed.width, 0);
}

TEST(LevelFileNameTest, FolderNamedLikeALevelFailsLikeAMissingFile) {
    ScopedTempDir dir;
    std::filesystem::create_directories("data/folder.level");
    LogCapture log;
    Level level;
    EXPECT_FALSE(level.loadFromFile("folder.level"));
    EXPECT_EQ(log.text(), std::string("[LEVEL] loading data/folder.level\n") + kFailedLine +
                              "[LEVEL] data/folder.level: not a regular file\n");
    expectEmpty(level);
}

// ---- the log ----

TEST(LevelLogTest, PropertyAndPartitionLinesComeInFileOrderBetweenLoadingAndSuccess) {
    ScopedTempDir dir;
    WubManager::instance();  // its start-up line is not the loader's
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "; a level\n"
                         "[Properties]\n"
                         "nextmap: level2.level\n"
                         "width: 2000\n"
                         "height: 600\n"
                         "spawnx: 10\n"
                         "music: sounds/theme.ogg\n"
                         "end\n"
                         "[Trap]\n"
                         "partition: 3\n"
                         "end\n"
                         "[Properties]\n"
                         "spawny: 20\n"
                         "winy: 7\n"
                         "winx: -30\n"
                         "end\n",
                         "x.level"));
    EXPECT_EQ(log.text(),
              "[LEVEL] loading data/x.level\n"
              "next map set to level2.level\n"
              "level width set to 2000\n"
              "level height set to 600\n"
              "spawn x set to 10\n"
              "partitioning 3\n"
              "spawn y set to 20\n"
              "win x set to -30\n"
              "[LEVEL] file loaded successfully.\n");
    EXPECT_EQ(level.width, 2000);
    EXPECT_EQ(level.height, 600);
    EXPECT_EQ(level.spawnX, 10);
    EXPECT_EQ(level.spawnY, 20);
    EXPECT_EQ(level.goal.x, -30);
    EXPECT_EQ(level.goal.y, 7);
    EXPECT_EQ(level.nextMap, "level2.level");
    EXPECT_EQ(level.music, "sounds/theme.ogg");  // named without a word in the log
}

TEST(LevelLogTest, MissingPropertiesWriteNoLines) {
    ScopedTempDir dir;
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level, "[Properties]\nwiny: 5\nend\n", "x.level"));
    EXPECT_EQ(log.text(), std::string("[LEVEL] loading data/x.level\n") + kLoadedLine);
    EXPECT_EQ(level.goal.y, 5);
}

TEST(LevelLogTest, PictureRequestsStandBetweenThePropertyLines) {
    ScopedTempDir dir;
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level, "[Properties]\nwidth: 1\nwinimg: goal.png\nwinx: 2\nend\n"));
    const std::string text = log.text();
    const size_t width = text.find("level width set to 1\n");
    const size_t request = text.find("Requesting texture sprites/goal.png");
    const size_t winx = text.find("win x set to 2\n");
    const size_t loaded = text.find(kLoadedLine);
    ASSERT_NE(request, std::string::npos) << text;
    EXPECT_LT(width, request);
    EXPECT_LT(request, winx);
    EXPECT_NE(winx, std::string::npos);
    EXPECT_LT(winx, loaded);
    EXPECT_NE(loaded, std::string::npos);
}

// ---- entries and numbers ----

TEST(LevelEntryTest, OnlyOneSpaceAfterTheColonIsDroppedAndIntegersSkipTheRest) {
    ScopedTempDir dir;
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Properties]\n"
                         "width:5\n"
                         "width: 6\n"
                         "width:  7\n"
                         " width: 8\n"
                         "width : 9\n"
                         "Width: 10\n"
                         "nextmap:  two spaces \n"
                         "end\n"));
    EXPECT_EQ(level.width, 7);
    EXPECT_EQ(level.nextMap, " two spaces ");
    const std::string text = log.text();
    EXPECT_NE(text.find("level width set to 5\nlevel width set to 6\nlevel width set to 7\nnext map set to  two "
                        "spaces \n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("set to 8"), std::string::npos);
    EXPECT_EQ(text.find("set to 9"), std::string::npos);
    EXPECT_EQ(text.find("set to 10"), std::string::npos);
}

TEST(LevelEntryTest, IntegersReadAsAtoiDoes) {
    ScopedTempDir dir;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Properties]\n"
                         "width: 12abc\n"
                         "height: abc\n"
                         "spawnx: -40\n"
                         "spawny: +8 9\n"
                         "end\n"));
    EXPECT_EQ(level.width, 12);
    EXPECT_EQ(level.height, 0);
    EXPECT_EQ(level.spawnX, -40);
    EXPECT_EQ(level.spawnY, 8);
}

TEST(LevelEntryTest, NumbersBeyondTheIntRangeSaturate) {
    ScopedTempDir dir;
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Properties]\n"
                         "width: 99999999999\n"
                         "height: -99999999999\n"
                         "spawnx: 2147483647\n"
                         "spawny: -2147483648\n"
                         "winx: 2147483648\n"
                         "end\n"
                         "[Platform]\n"
                         "x: 4294967296\n"
                         "w: -4294967297\n"
                         "end\n"
                         "[Decoration]\n"
                         "z: -99999999999999999999\n"
                         "end\n"
                         "[Trap]\n"
                         "x: 99999999999\n"
                         "partition: 99999999999\n"
                         "end\n"));
    EXPECT_EQ(level.width, INT_MAX);
    EXPECT_EQ(level.height, INT_MIN);
    EXPECT_EQ(level.spawnX, INT_MAX);
    EXPECT_EQ(level.spawnY, INT_MIN);
    EXPECT_EQ(level.goal.x, INT_MAX);
    ASSERT_EQ(level.platforms.size(), 1u);
    EXPECT_EQ(level.platforms[0]->x, INT_MAX);
    EXPECT_EQ(level.platforms[0]->width, INT_MIN);
    ASSERT_EQ(level.frontDecorations.size(), 1u);
    EXPECT_EQ(level.frontDecorations[0]->z, INT_MIN);
    ASSERT_EQ(level.traps.size(), 1u);
    EXPECT_EQ(level.traps[0]->x, INT_MAX);
    const std::string text = log.text();
    EXPECT_NE(text.find("level width set to 2147483647\n"), std::string::npos) << text;
    EXPECT_NE(text.find("level height set to -2147483648\n"), std::string::npos);
    EXPECT_NE(text.find("partitioning 2147483647\n"), std::string::npos);
}

TEST(LevelEntryTest, RepeatedKeysEachTakeEffectAndTheLastWins) {
    ScopedTempDir dir;
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Properties]\nnextmap: a\nnextmap: finish\nend\n"
                         "[Platform]\nx: 1\nw: 5\nx: 2\nw: 6\nend\n"));
    EXPECT_EQ(level.nextMap, "finish");
    EXPECT_NE(log.text().find("next map set to a\nnext map set to finish\n"), std::string::npos) << log.text();
    ASSERT_EQ(level.platforms.size(), 1u);
    EXPECT_EQ(level.platforms[0]->x, 2);
    EXPECT_EQ(level.platforms[0]->width, 6);
}

// ---- lines and sections ----

TEST(LevelSectionTest, TwoClosedPlatformsKeepFileOrder) {
    ScopedTempDir dir;
    Level level;
    EXPECT_TRUE(loadText(level, "[Platform]\nx: 30\nend\n[Platform]\nx: 10\nend\n"));
    EXPECT_EQ(platformXs(level), (std::vector<int>{30, 10}));
}

TEST(LevelSectionTest, InterruptedObjectIsDiscardedAndTheNextSectionIsLost) {
    ScopedTempDir dir;
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Platform]\n"
                         "x: 1\n"
                         "[Trap]\n"
                         "x: 2\n"
                         "end\n"
                         "[Decoration]\n"
                         "x: 3\n"
                         "[Properties]\n"
                         "height: 99\n"
                         "end\n"
                         "[Trap]\n"
                         "x: 4\n"
                         "[Platform]\n"
                         "x: 5\n"
                         "end\n"
                         "[Platform]\n"
                         "x: 9\n"
                         "end\n"));
    EXPECT_EQ(platformXs(level), (std::vector<int>{9}));
    EXPECT_TRUE(level.traps.empty());
    EXPECT_TRUE(level.backDecorations.empty());
    EXPECT_TRUE(level.frontDecorations.empty());
    EXPECT_EQ(level.height, 0);
    EXPECT_EQ(log.text().find("level height"), std::string::npos);
    EXPECT_NE(log.text().find(kLoadedLine), std::string::npos);
}

TEST(LevelSectionTest, InterruptedPropertiesAndBackgroundKeepTheirSettings) {
    ScopedTempDir dir;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Properties]\n"
                         "width: 10\n"
                         "[Platform]\n"
                         "x: 3\n"
                         "end\n"
                         "[BG]\n"
                         "img: missing.png\n"
                         "[Properties]\n"
                         "width: 20\n"
                         "end\n"));
    EXPECT_EQ(level.width, 10);
    EXPECT_TRUE(level.platforms.empty());
    EXPECT_NE(level.background, nullptr);
}

TEST(LevelSectionTest, UnknownAndWrongCaseHeadersOpenNothing) {
    ScopedTempDir dir;
    for (const char* header : {"[properties]", "[PROPERTIES]", "[Propertiesx]", "[ Properties]", "[Properties ]",
                               "[Property]", "(Properties)", " [Properties]"}) {
        SCOPED_TRACE(header);
        LogCapture log;
        Level level;
        EXPECT_TRUE(loadText(level, std::string(header) + "\nwidth: 5\nend\n"));
        EXPECT_EQ(level.width, 0);
        EXPECT_EQ(log.text().find("level width"), std::string::npos);
    }
    for (const char* header : {"[platform]", "[Platforms]", "[PLATFORM]", "[Plat]form]"}) {
        SCOPED_TRACE(header);
        Level level;
        EXPECT_TRUE(loadText(level, std::string(header) + "\nx: 5\nend\n"));
        EXPECT_TRUE(level.platforms.empty());
    }
    for (const char* header : {"[bG]", "[BACKGROUND]", "[Bg]", "[backGround]"}) {
        SCOPED_TRACE(header);
        Level level;
        EXPECT_TRUE(loadText(level, std::string(header) + "\nimg: missing.png\nend\n"));
        EXPECT_EQ(level.background, nullptr);
    }
}

TEST(LevelSectionTest, EveryBackgroundNameOpensTheBackground) {
    ScopedTempDir dir;
    for (const char* header : {"[BG]", "[bg]", "[background]", "[Background]"}) {
        SCOPED_TRACE(header);
        Level level;
        EXPECT_TRUE(loadText(level, std::string(header) + "\nimg: missing.png\nend\n"));
        EXPECT_NE(level.background, nullptr);
    }
}

TEST(LevelSectionTest, TextAfterTheBracketOrNoBracketStillOpensTheSection) {
    ScopedTempDir dir;
    Level level;
    EXPECT_TRUE(loadText(level, "[Platform] the first\nx: 1\nend\n[Platform\nx: 2\nend\n"));
    EXPECT_EQ(platformXs(level), (std::vector<int>{1, 2}));
}

TEST(LevelSectionTest, UnknownSectionDoesNotSwallowTheNextHeader) {
    ScopedTempDir dir;
    Level level;
    EXPECT_TRUE(loadText(level, "[Stuff]\nx: 1\n[Platform]\nx: 2\nend\n"));
    EXPECT_EQ(platformXs(level), (std::vector<int>{2}));
}

TEST(LevelSectionTest, OnlyAnExactEndClosesASection) {
    ScopedTempDir dir;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "end\n"
                         "x: 7\n"
                         "[Platform]\n"
                         "x: 1\n"
                         "end \n"
                         "x: 2\n"
                         " end\n"
                         "End\n"
                         "x: 3\n"
                         "end\n"
                         "x: 4\n"));
    EXPECT_EQ(platformXs(level), (std::vector<int>{3}));
}

TEST(LevelSectionTest, BlankAndCommentLinesNeitherEndNorInterrupt) {
    ScopedTempDir dir;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Platform]\n"
                         "\n"
                         " \n"
                         ";[Trap]\n"
                         "; end\n"
                         ";end\n"
                         "x: 6\n"
                         "end\n"));
    EXPECT_EQ(platformXs(level), (std::vector<int>{6}));
}

TEST(LevelSectionTest, FileEndingInsideASectionStillAddsTheObject) {
    ScopedTempDir dir;
    for (const char* text : {"[Platform]\nx: 5\n", "[Platform]\nx: 5"}) {
        LogCapture log;
        Level level;
        EXPECT_TRUE(loadText(level, text));
        EXPECT_EQ(platformXs(level), (std::vector<int>{5}));
        EXPECT_NE(log.text().find(kLoadedLine), std::string::npos);
    }
    Level decorations;
    EXPECT_TRUE(loadText(decorations, "[Decoration]\nz: -2\n"));
    EXPECT_EQ(decorations.frontDecorations.size(), 1u);
    Level traps;
    EXPECT_TRUE(loadText(traps, "[Trap]\n"));
    EXPECT_EQ(traps.traps.size(), 1u);
    Level properties;
    EXPECT_TRUE(loadText(properties, "[Properties]\nwidth: 8"));
    EXPECT_EQ(properties.width, 8);
}

TEST(LevelSectionTest, CarriageReturnsBeforeLineFeedsAreNotPartOfTheLines) {
    ScopedTempDir dir;
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Properties]\r\n"
                         "width: 640\r\n"
                         "nextmap: level2.level\r\n"
                         "end\r\n"
                         "\r\n"
                         " \r\n"
                         "[Platform]\r\n"
                         "x: 1\r\n"
                         "end\r\n"
                         "[Trap]\r\n"
                         "x: 2\r\n"
                         "end\r\n"
                         "[Decoration]\r\n"
                         "flip: ON\r\n"
                         "floating: yes\r\n"
                         "end\r\n"));
    EXPECT_EQ(level.width, 640);
    EXPECT_EQ(level.nextMap, "level2.level");
    EXPECT_NE(log.text().find("next map set to level2.level\n"), std::string::npos);
    EXPECT_EQ(platformXs(level), (std::vector<int>{1}));
    ASSERT_EQ(level.traps.size(), 1u);
    EXPECT_EQ(level.traps[0]->x, 2);
    ASSERT_EQ(level.backDecorations.size(), 1u);
    EXPECT_TRUE(level.backDecorations[0]->flipped);
    EXPECT_TRUE(level.backDecorations[0]->floating);
}

TEST(LevelSectionTest, LineOfAMegabyteIsReadWhole) {
    ScopedTempDir dir;
    const std::string longName(1 << 20, 'n');
    Level level;
    EXPECT_TRUE(loadText(level, ";" + std::string(1 << 20, 'c') + "\n" +
                                    "[Properties]\n"
                                    "nextmap: " +
                                    longName + "\n" +
                                    "width: 33\n"
                                    "end\n"
                                    "[" +
                                    std::string(1 << 20, 'h') + "\n" +
                                    "[Platform]\n"
                                    "x: 4\n"
                                    "end\n"));
    EXPECT_EQ(level.nextMap, longName);
    EXPECT_EQ(level.width, 33);
    EXPECT_EQ(platformXs(level), (std::vector<int>{4}));
}

// ---- pictures and the goal ----

TEST(LevelPictureTest, SpritesPrefixIsAddedOnlyWhenMissing) {
    testsupport::ensureGlContext();
    ScopedTempDir dir;
    writePicture("sprites/goal.png", 16, 24);
    writePicture("sprites/g.png", 5, 7);
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Properties]\nwinimg: sprites/goal.png\nend\n"
                         "[BG]\nimg: goal.png\nend\n"
                         "[Decoration]\nimg: g.png\nend\n"
                         "[Decoration]\nimg: sprites/g.png\nend\n"));
    EXPECT_NE(level.goal.texture, 0u);
    EXPECT_EQ(level.goal.width, 16);
    EXPECT_EQ(level.goal.height, 24);
    ASSERT_NE(level.background, nullptr);
    EXPECT_EQ(level.background->texture, level.goal.texture);
    ASSERT_EQ(level.backDecorations.size(), 2u);
    for (const Decoration* decoration : level.backDecorations) {
        EXPECT_NE(decoration->texture, 0u);
        EXPECT_EQ(decoration->width, 5);
        EXPECT_EQ(decoration->height, 7);
    }
    EXPECT_EQ(log.text().find("sprites/sprites/"), std::string::npos) << log.text();
}

TEST(LevelPictureTest, WinimgAfterWinxAndWinyPutsTheGoalBackAtTheOrigin) {
    testsupport::ensureGlContext();
    ScopedTempDir dir;
    writePicture("sprites/goal.png", 16, 24);
    Level level;
    EXPECT_TRUE(loadText(level, "[Properties]\nwinx: 100\nwiny: 50\nwinimg: goal.png\nend\n"));
    EXPECT_EQ(level.goal.x, 0);
    EXPECT_EQ(level.goal.y, 0);
    EXPECT_EQ(level.goal.width, 16);
    EXPECT_EQ(level.goal.height, 24);
    EXPECT_TRUE(level.goal.floating);
    EXPECT_EQ(level.goal.z, 0);
}

TEST(LevelPictureTest, WinimgFirstLeavesTheGoalWhereWinxAndWinyPutIt) {
    testsupport::ensureGlContext();
    ScopedTempDir dir;
    writePicture("sprites/goal.png", 16, 24);
    Level level;
    EXPECT_TRUE(loadText(level, "[Properties]\nwinimg: goal.png\nwinx: 100\nwiny: 50\nend\n"));
    EXPECT_EQ(level.goal.x, 100);
    EXPECT_EQ(level.goal.y, 50);
    EXPECT_EQ(level.goal.width, 16);
    EXPECT_EQ(level.goal.height, 24);
    EXPECT_TRUE(level.goal.floating);
}

TEST(LevelPictureTest, SecondBackgroundReplacesTheFirst) {
    testsupport::ensureGlContext();
    ScopedTempDir dir;
    writePicture("sprites/one.png", 10, 10);
    writePicture("sprites/two.png", 30, 20);
    Level level;
    EXPECT_TRUE(loadText(level, "[BG]\nimg: one.png\nend\n[Background]\nimg: two.png\nend\n"));
    ASSERT_NE(level.background, nullptr);
    EXPECT_EQ(level.background->width, 30);
    EXPECT_EQ(level.background->height, 20);
    EXPECT_EQ(level.background->x, 0);
    EXPECT_EQ(level.background->y, 0);
}

// ---- decorations ----

TEST(LevelDecorationTest, NegativeDepthGoesToTheFrontAndTheRestToTheBack) {
    ScopedTempDir dir;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Decoration]\nx: 1\nz: -1\nend\n"
                         "[Decoration]\nx: 2\nz: 0\nend\n"
                         "[Decoration]\nx: 3\nend\n"
                         "[Decoration]\nx: 4\nz: 5\nend\n"
                         "[Decoration]\nx: 5\nz: -7\nend\n"
                         "[Decoration]\nx: 6\nz: -3\nz: 2\nend\n"));
    EXPECT_EQ(decorationXs(level.frontDecorations), (std::vector<int>{1, 5}));
    EXPECT_EQ(decorationXs(level.backDecorations), (std::vector<int>{2, 3, 4, 6}));
    EXPECT_EQ(level.frontDecorations[1]->z, -7);
    EXPECT_EQ(level.backDecorations[2]->z, 5);
}

TEST(LevelDecorationTest, ImgResetsThePositionSoXAndYMustFollowIt) {
    testsupport::ensureGlContext();
    ScopedTempDir dir;
    writePicture("sprites/tree.png", 12, 18);
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Decoration]\nx: 10\ny: 20\nz: 3\nimg: tree.png\nend\n"
                         "[Decoration]\nimg: tree.png\nx: 10\ny: 20\nend\n"));
    ASSERT_EQ(level.backDecorations.size(), 2u);
    const Decoration* late = level.backDecorations[0];
    EXPECT_EQ(late->x, 0);
    EXPECT_EQ(late->y, 0);
    EXPECT_EQ(late->z, 3);
    EXPECT_EQ(late->width, 12);
    const Decoration* early = level.backDecorations[1];
    EXPECT_EQ(early->x, 10);
    EXPECT_EQ(early->y, 20);
    EXPECT_EQ(early->width, 12);
    EXPECT_EQ(early->height, 18);
}

TEST(LevelDecorationTest, FloatingAndMirrorSwitchesTakeDifferentWords) {
    ScopedTempDir dir;
    struct Case {
        const char* line;
        bool floating;
        bool flipped;
    };
    const std::vector<Case> cases = {
        {"floating: yes", true, false},  {"floating: Yes", true, false},   {"floating: true", true, false},
        {"floating: True", true, false}, {"floating: YES", false, false},  {"floating: TRUE", false, false},
        {"floating: ON", false, false},  {"floating: yes ", false, false}, {"floating:yes", true, false},
        {"flip: yes", false, true},      {"flip: YES", false, true},       {"flip: TRUE", false, true},
        {"flip: ON", false, true},       {"flip: true", false, false},     {"flip: True", false, false},
        {"flip: Yes", false, false},     {"flip: on", false, false},       {"mirror: ON", false, true},
        {"flipped: YES", false, true},   {"Flip: ON", false, false},       {"mirrored: ON", false, false},
    };
    std::string text;
    for (const Case& c : cases) {
        text += "[Decoration]\n" + std::string(c.line) + "\nend\n";
    }
    Level level;
    EXPECT_TRUE(loadText(level, text));
    ASSERT_EQ(level.backDecorations.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].line);
        EXPECT_EQ(level.backDecorations[i]->floating, cases[i].floating);
        EXPECT_EQ(level.backDecorations[i]->flipped, cases[i].flipped);
    }
}

// ---- platforms ----

TEST(LevelPlatformTest, KeysReachTheBoxAndTheImage) {
    testsupport::ensureGlContext();
    ScopedTempDir dir;
    writePicture("sprites/ground.png", 64, 32);
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Platform]\n"
                         "img: ground.png\n"
                         "x: 100\n"
                         "y: 200\n"
                         "w: 300\n"
                         "h: 20\n"
                         "xOffset: -5\n"
                         "yOffset: 7\n"
                         "mirror: YES\n"
                         "end\n"
                         "[Platform]\n"
                         "img: ground.png\n"
                         "yOffset: -3\n"
                         "flipped: true\n"
                         "end\n"));
    ASSERT_EQ(level.platforms.size(), 2u);
    const Platform* first = level.platforms[0];
    EXPECT_EQ(first->x, 100);
    EXPECT_EQ(first->y, 200);
    EXPECT_EQ(first->width, 300);
    EXPECT_EQ(first->height, 20);
    ASSERT_NE(first->image, nullptr);
    EXPECT_NE(first->image->texture, 0u);
    EXPECT_EQ(first->image->width, 64);
    EXPECT_EQ(first->image->height, 32);
    EXPECT_EQ(first->image->x, -5);
    EXPECT_EQ(first->image->y, 7);
    EXPECT_TRUE(first->image->flipped);

    // Without "w" and "h" the box stays 0 x 0 whatever the picture's size.
    const Platform* second = level.platforms[1];
    EXPECT_EQ(second->width, 0);
    EXPECT_EQ(second->height, 0);
    ASSERT_NE(second->image, nullptr);
    EXPECT_EQ(second->image->x, 0);
    EXPECT_EQ(second->image->y, -3);
    EXPECT_FALSE(second->image->flipped);
}

TEST(LevelPlatformTest, OffsetsAndMirrorBeforeAnyImgAreIgnored) {
    ScopedTempDir dir;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Platform]\nxOffset: 4\nyOffset: 5\nflip: ON\nx: 1\nend\n"
                         "[Platform]\nxOffset: 4\nflip: ON\nimg: missing.png\nend\n"
                         "[Platform]\nimg: missing.png\nxOffset: 4\nflip: ON\nend\n"));
    ASSERT_EQ(level.platforms.size(), 3u);
    EXPECT_EQ(level.platforms[0]->image, nullptr);
    EXPECT_EQ(level.platforms[0]->x, 1);
    ASSERT_NE(level.platforms[1]->image, nullptr);
    EXPECT_EQ(level.platforms[1]->image->x, 0);
    EXPECT_FALSE(level.platforms[1]->image->flipped);
    ASSERT_NE(level.platforms[2]->image, nullptr);
    EXPECT_EQ(level.platforms[2]->image->x, 4);
    EXPECT_TRUE(level.platforms[2]->image->flipped);
}

// ---- traps ----

TEST(LevelTrapTest, PartitionGivesTheBoxTheFrameSizeAndLogsTheCount) {
    testsupport::ensureGlContext();
    ScopedTempDir dir;
    writePicture("sprites/spikes.png", 64, 16);
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Trap]\nimg: spikes.png\nx: 40\ny: 50\npartition: 4\nend\n"
                         "[Trap]\npartition: 2\nimg: spikes.png\nend\n"));
    ASSERT_EQ(level.traps.size(), 2u);
    const Trap* cut = level.traps[0];
    EXPECT_EQ(cut->x, 40);
    EXPECT_EQ(cut->y, 50);
    EXPECT_EQ(cut->baseX, 40);
    EXPECT_EQ(cut->baseY, 50);
    EXPECT_EQ(cut->width, 16);
    EXPECT_EQ(cut->height, 16);
    ASSERT_NE(cut->image, nullptr);
    EXPECT_EQ(cut->image->frameWidth, 16.0f);
    // Partitioning before the picture has nothing to cut: the box stays a point.
    const Trap* early = level.traps[1];
    EXPECT_EQ(early->width, 0);
    EXPECT_EQ(early->height, 0);
    const std::string text = log.text();
    const size_t four = text.find("partitioning 4\n");
    const size_t two = text.find("partitioning 2\n");
    ASSERT_NE(four, std::string::npos) << text;
    ASSERT_NE(two, std::string::npos) << text;
    EXPECT_LT(four, two);
}

// A checkpoint's box is one frame of its picture; it shows the unlit frame until its play lights it.
TEST(LevelCheckpointTest, TheBoxIsOneFrameAndShowLightsTheOneTouched) {
    testsupport::ensureGlContext();
    ScopedTempDir dir;
    writePicture("sprites/lantern.png", 48, 48);
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Checkpoint]\nimg: lantern.png\npartition: 2\nx: 100\ny: 200\nend\n"
                         "[Checkpoint]\nimg: lantern.png\nx: 300\ny: 200\nend\n"
                         "[Checkpoint]\nimg: lantern.png\nx: 500\n[Platform]\nend\n"));
    ASSERT_EQ(level.checkpoints.size(), 2u) << "an interrupted checkpoint is dropped like any object";
    EXPECT_EQ(level.checkpoints[0]->box(), (Bounds{100, 200, 24, 48}));
    EXPECT_EQ(level.checkpoints[1]->box(), (Bounds{300, 200, 48, 48}));
    EXPECT_EQ(level.checkpoints[0]->image->shownColumn(), 1);
    SceneryState scenery = sceneryOf(level);
    scenery.litCheckpoint = 0;
    level.show(scenery);
    EXPECT_EQ(level.checkpoints[0]->image->shownColumn(), 2);
    scenery.litCheckpoint = 1;
    level.show(scenery);
    EXPECT_EQ(level.checkpoints[0]->image->shownColumn(), 1);
}

TEST(LevelTrapTest, FloatAmplitudesAndPlacementReachTheTrap) {
    ScopedTempDir dir;
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[Trap]\nx: 100\ny: 50\nxfloating: 30\nyfloating: -12\nend\n"
                         "[Trap]\nxfloating: 30\nyfloating: 12\nx: 100\ny: 50\nend\n"));
    ASSERT_EQ(level.traps.size(), 2u);
    const Trap* placedFirst = level.traps[0];
    EXPECT_EQ(placedFirst->x, 100);
    EXPECT_EQ(placedFirst->y, 50);
    EXPECT_EQ(placedFirst->floatX, 30);
    EXPECT_EQ(placedFirst->floatY, -12);
    const Trap* placedLater = level.traps[1];
    EXPECT_EQ(placedLater->baseX, 100);
    EXPECT_EQ(placedLater->baseY, 50);
    EXPECT_EQ(placedLater->floatX, 30);
    EXPECT_EQ(placedLater->floatY, 12);
    EXPECT_LE(std::abs(placedLater->x - 100), 30);
    EXPECT_LE(std::abs(placedLater->y - 50), 12);
}

TEST(LevelTrapTest, SfxNamesTheSoundFileUnchanged) {
    ScopedTempDir dir;
    writeWav("hum.wav");
    WubManager* sounds = WubManager::instance();
    ASSERT_NE(sounds->engine, nullptr) << "the suite runs with ALSOFT_DRIVERS=null";
    LogCapture log;
    Level level;
    EXPECT_TRUE(loadText(level, "[Trap]\nx: 10\nsfx: hum.wav\nend\n"));
    ASSERT_EQ(level.traps.size(), 1u);
    EXPECT_NE(level.traps[0]->sound, nullptr);
    EXPECT_EQ(level.traps[0]->sound, sounds->sources["hum.wav"]);
    EXPECT_NE(log.text().find("Requesting Sound Source for \"hum.wav\" ... successfully loaded.\n"), std::string::npos)
        << log.text();
}

// ---- drawing ----

const Rgba kGrey{128, 128, 128, 255};
const Rgba kBlue{0, 0, 255, 255};
const Rgba kRed{255, 0, 0, 255};
const Rgba kYellow{255, 255, 0, 255};
const Rgba kGreen{0, 255, 0, 255};
const Rgba kMagenta{255, 0, 255, 255};

TEST(LevelDrawTest, BackThenFrontLayersStackInTheirOrder) {
    testsupport::ensureGlContext(640, 480);
    ScopedTempDir dir;
    writePicture("sprites/bg.png", 640, 480, kGrey);
    writePicture("sprites/back.png", 64, 64, kBlue);
    writePicture("sprites/ground.png", 16, 16, kRed);
    writePicture("sprites/goal.png", 64, 64, kYellow);
    writePicture("sprites/spike.png", 16, 16, kGreen);
    writePicture("sprites/front.png", 8, 8, kMagenta);
    Level level;
    // Back scenery and the goal bob by up to 20 pixels; the pixels read below stay covered.
    EXPECT_TRUE(loadText(level,
                         "[Properties]\nwinimg: goal.png\nwinx: 200\nwiny: 100\nend\n"
                         "[BG]\nimg: bg.png\nend\n"
                         "[Decoration]\nimg: front.png\nx: 200\ny: 120\nz: -1\nend\n"
                         "[Trap]\nimg: spike.png\nx: 200\ny: 120\nend\n"
                         "[Platform]\nimg: ground.png\nx: 0\ny: 120\nend\n"
                         "[Decoration]\nimg: back.png\nx: 0\ny: 100\nend\n"));
    const Bounds view{0, 0, 640, 480};
    testsupport::clearScreen();
    level.drawBack(view, 0, 0);
    level.drawFront(view, 0, 0);
    EXPECT_EQ(readPixel(400, 400), kGrey);
    EXPECT_EQ(readPixel(40, 130), kBlue);
    EXPECT_EQ(readPixel(8, 128), kRed);
    EXPECT_EQ(readPixel(250, 130), kYellow);
    EXPECT_EQ(readPixel(212, 132), kGreen);
    EXPECT_EQ(readPixel(204, 124), kMagenta);
}

TEST(LevelDrawTest, ViewScrollsObjectsButNotTheBackground) {
    testsupport::ensureGlContext(640, 480);
    ScopedTempDir dir;
    writePicture("sprites/bg.png", 32, 32, kGrey);
    writePicture("sprites/ground.png", 16, 16, kRed);
    writePicture("sprites/spike.png", 16, 16, kGreen);
    Level level;
    EXPECT_TRUE(loadText(level,
                         "[BG]\nimg: bg.png\nend\n"
                         "[Platform]\nimg: ground.png\nx: 300\ny: 200\nend\n"
                         "[Trap]\nimg: spike.png\nx: 400\ny: 200\nend\n"));
    testsupport::clearScreen();
    const Bounds view{250, 150, 300, 200};
    level.drawBack(view, 10, 20);
    level.drawFront(view, 10, 20);
    EXPECT_EQ(readPixel(15, 25), kGrey);  // the background stays at the origin
    EXPECT_EQ(readPixel(10 + 50 + 8, 20 + 50 + 8), kRed);
    EXPECT_EQ(readPixel(10 + 150 + 8, 20 + 50 + 8), kGreen);
    EXPECT_EQ(readPixel(300 + 8, 200 + 8), (Rgba{0, 0, 0, 255}));
}

}  // namespace
