#include <gtest/gtest.h>

#include <string>

#include "level/LevelFormat.h"

namespace {

void expectEntry(const std::string& line, const std::string& key, const std::string& value) {
    const LevelEntry entry = splitEntry(line);
    EXPECT_EQ(entry.key, key) << '"' << line << '"';
    EXPECT_EQ(entry.value, value) << '"' << line << '"';
}

TEST(ClassifyLineTest, OnlyEmptyOrOneSpaceIsBlank) {
    EXPECT_EQ(classifyLine(""), LineKind::Blank);
    EXPECT_EQ(classifyLine(" "), LineKind::Blank);
    EXPECT_EQ(classifyLine("  "), LineKind::Other);
    EXPECT_EQ(classifyLine("\t"), LineKind::Other);
    EXPECT_EQ(classifyLine(" x"), LineKind::Other);
    EXPECT_EQ(classifyLine("\r"), LineKind::Other);
}

TEST(ClassifyLineTest, FirstCharacterDecidesCommentAndHeader) {
    EXPECT_EQ(classifyLine(";"), LineKind::Comment);
    EXPECT_EQ(classifyLine("; [Trap]"), LineKind::Comment);
    EXPECT_EQ(classifyLine(";[Trap]"), LineKind::Comment);
    EXPECT_EQ(classifyLine("["), LineKind::Header);
    EXPECT_EQ(classifyLine("[Trap]"), LineKind::Header);
    EXPECT_EQ(classifyLine("[;"), LineKind::Header);
    EXPECT_EQ(classifyLine(" [Trap]"), LineKind::Other);
    EXPECT_EQ(classifyLine(" ;comment"), LineKind::Other);
    EXPECT_EQ(classifyLine("x: 1 ; not a comment"), LineKind::Other);
    EXPECT_EQ(classifyLine("end"), LineKind::Other);
}

TEST(SectionNameTest, NameRunsToTheFirstClosingBracketOrTheEnd) {
    EXPECT_EQ(sectionName("[Platform]"), "Platform");
    EXPECT_EQ(sectionName("[Platform] trailing text"), "Platform");
    EXPECT_EQ(sectionName("[Platform"), "Platform");
    EXPECT_EQ(sectionName("[Plat]form]"), "Plat");
    EXPECT_EQ(sectionName("[a]]"), "a");
    EXPECT_EQ(sectionName("[ Trap ]"), " Trap ");
    EXPECT_EQ(sectionName("[]"), "");
    EXPECT_EQ(sectionName("["), "");
    EXPECT_EQ(sectionName("[[BG]"), "[BG");
}

TEST(SplitEntryTest, ExactlyOneSpaceAfterTheColonIsDropped) {
    expectEntry("width: 5", "width", "5");
    expectEntry("width:5", "width", "5");
    expectEntry("width:  5", "width", " 5");
    expectEntry("width:   5", "width", "  5");
    expectEntry("width:\t5", "width", "\t5");
}

TEST(SplitEntryTest, NothingElseIsTrimmed) {
    expectEntry("width : 5", "width ", "5");
    expectEntry(" width: 5", " width", "5");
    expectEntry("nextmap: finish ", "nextmap", "finish ");
    expectEntry("nextmap: finish  ", "nextmap", "finish  ");
}

TEST(SplitEntryTest, SplitsAtTheFirstColon) {
    expectEntry("img: C:/pics/a.png", "img", "C:/pics/a.png");
    expectEntry("a:b:c", "a", "b:c");
    expectEntry("key:", "key", "");
    expectEntry("key: ", "key", "");
    expectEntry(":", "", "");
    expectEntry(": x", "", "x");
}

TEST(SplitEntryTest, LineWithoutColonIsItsOwnKeyAndValue) {
    expectEntry("end ", "end ", "end ");
    expectEntry("width 5", "width 5", "width 5");
    expectEntry("  ", "  ", "  ");
}

TEST(PicturePathTest, SpritesFolderIsPutInFrontOnlyWhenMissing) {
    EXPECT_EQ(picturePath("goal.png"), "sprites/goal.png");
    EXPECT_EQ(picturePath("sprites/goal.png"), "sprites/goal.png");
    EXPECT_EQ(picturePath("sprites/sprites/goal.png"), "sprites/sprites/goal.png");
    EXPECT_EQ(picturePath("tiles/goal.png"), "sprites/tiles/goal.png");
}

TEST(PicturePathTest, NearMissesAndShortValuesGetThePrefix) {
    EXPECT_EQ(picturePath("a.png"), "sprites/a.png");
    EXPECT_EQ(picturePath("a"), "sprites/a");
    EXPECT_EQ(picturePath(""), "sprites/");
    EXPECT_EQ(picturePath("sprites"), "sprites/sprites");
    EXPECT_EQ(picturePath("sprite/a.png"), "sprites/sprite/a.png");
    EXPECT_EQ(picturePath("Sprites/a.png"), "sprites/Sprites/a.png");
    EXPECT_EQ(picturePath(" sprites/a.png"), "sprites/ sprites/a.png");
    EXPECT_EQ(picturePath("spritesXa.png"), "sprites/spritesXa.png");
}

TEST(SwitchWordTest, FloatingAndMirrorAcceptDifferentWords) {
    for (const char* word : {"yes", "Yes", "true", "True"}) {
        EXPECT_TRUE(isFloatingWord(word)) << word;
    }
    for (const char* word : {"YES", "TRUE", "ON", "on", "1", "yes ", " yes", "", "y"}) {
        EXPECT_FALSE(isFloatingWord(word)) << word;
    }
    for (const char* word : {"yes", "YES", "TRUE", "ON"}) {
        EXPECT_TRUE(isMirrorWord(word)) << word;
    }
    for (const char* word : {"Yes", "true", "True", "on", "On", "1", "ON ", "", "Y"}) {
        EXPECT_FALSE(isMirrorWord(word)) << word;
    }
}

TEST(SwitchWordTest, BackgroundHasFourNames) {
    for (const char* name : {"BG", "bg", "background", "Background"}) {
        EXPECT_TRUE(isBackgroundSection(name)) << name;
    }
    for (const char* name : {"Bg", "bG", "BACKGROUND", "backGround", "BG ", "", "Backgrounds"}) {
        EXPECT_FALSE(isBackgroundSection(name)) << name;
    }
}

}  // namespace
