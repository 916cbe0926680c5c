#include <gtest/gtest.h>

#include <string>

#include "editor/LevelText.h"

namespace {

TEST(LevelTextTest, EditsKeepEveryOtherLineAndEachLinesOwnEnding) {
    const std::string text =
        "; mixed\r\n[Platform]\r\nx:5\nunknown: kept\r\ny: 3\r\nend\r\n\r\n[Trap]\r\nimg: saw.png\r\nend";
    LevelText level(text);
    EXPECT_EQ(level.text(), text);

    ASSERT_TRUE(level.setValue(0, "x", "12"));
    ASSERT_TRUE(level.setValue(0, "y", " 4"));
    ASSERT_TRUE(level.setValue(0, "w", "64"));
    EXPECT_EQ(
        level.text(),
        "; mixed\r\n[Platform]\r\nx:12\nunknown: kept\r\ny:  4\r\nw: 64\r\nend\r\n\r\n[Trap]\r\nimg: saw.png\r\nend");
    EXPECT_EQ(level.reading().sections()[0].entries[2].value, " 4");

    // The last section has no line end after "end": the new section keeps the file's style.
    EXPECT_EQ(level.appendSection("Decoration", {{"img", "rock.png"}}), 2);
    EXPECT_EQ(level.text(),
              "; mixed\r\n[Platform]\r\nx:12\nunknown: kept\r\ny:  4\r\nw: 64\r\nend\r\n\r\n[Trap]\r\nimg: "
              "saw.png\r\nend\r\n\r\n[Decoration]\r\nimg: rock.png\r\nend\r\n");
    ASSERT_TRUE(level.removeSection(1));
    ASSERT_TRUE(level.removeKey(0, "unknown"));
    EXPECT_EQ(
        level.text(),
        "; mixed\r\n[Platform]\r\nx:12\ny:  4\r\nw: 64\r\nend\r\n\r\n\r\n[Decoration]\r\nimg: rock.png\r\nend\r\n");
}

TEST(LevelTextTest, LinesEndingInCarriageReturnsAloneStayThatWay) {
    LevelText level("[Platform]\rx: 1\rend\r");
    ASSERT_TRUE(level.setValue(0, "h", "9"));
    EXPECT_EQ(level.text(), "[Platform]\rx: 1\rh: 9\rend\r");
}

TEST(LevelTextTest, TheLineInForceIsRewrittenAndAnOpenSectionTakesLinesAtTheEnd) {
    // "x" before "img" is undone by the picture: the new place goes after it.
    LevelText level("[Decoration]\nx: 5\nimg: a.png\nx: 6\nx: 7\nend\n[Decoration]\nimg: b.png");
    ASSERT_TRUE(level.setValue(0, "x", "8"));
    EXPECT_EQ(level.text(), "[Decoration]\nx: 5\nimg: a.png\nx: 6\nx: 8\nend\n[Decoration]\nimg: b.png");
    ASSERT_TRUE(level.setValue(1, "y", "2"));
    EXPECT_EQ(level.text(), "[Decoration]\nx: 5\nimg: a.png\nx: 6\nx: 8\nend\n[Decoration]\nimg: b.png\ny: 2");
    // A new header would cut the open section short, so it is closed first.
    EXPECT_EQ(level.appendSection("Trap", {}), 2);
    EXPECT_EQ(level.reading().sections()[1].end, LevelReader::End::Closed);
}

TEST(LevelTextTest, WhatCannotStandOnOneLineIsRefused) {
    LevelText level("[Platform]\nx: 1\nend\n");
    EXPECT_FALSE(level.setValue(0, "x", "1\n[Trap]"));
    EXPECT_FALSE(level.setValue(0, "a:b", "1"));
    EXPECT_FALSE(level.setValue(0, "[x", "1"));
    EXPECT_FALSE(level.setValue(0, ";x", "1"));
    EXPECT_FALSE(level.setValue(3, "x", "1"));
    EXPECT_FALSE(level.removeSection(-1));
    EXPECT_EQ(level.appendSection("Trap]", {}), -1);
    EXPECT_EQ(level.appendSection("Trap", {{"x", "1\r2"}}), -1);
    EXPECT_EQ(level.text(), "[Platform]\nx: 1\nend\n");
}

}  // namespace
