#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/Progress.h"
#include "game/ProgressFile.h"
#include "support/TestFiles.h"

using testsupport::LogCapture;

namespace {

Progress twoLevels() {
    Progress progress;
    LevelRecord& first = progress.level("level1.level");
    first.name = "Meadow Walk";
    first.order = 1;
    progress.died("level1.level");
    progress.finish("level1.level", 1500);
    progress.finish("level1.level", 1700);  // a slower run keeps the best
    LevelRecord& second = progress.level("level2.level");
    second.name = "Thistle Hills";
    second.order = 2;
    return progress;
}

std::vector<std::string> filesHere() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(ProgressTest, TextReadsBackAndTheChainDecidesTheFurthestLevel) {
    Progress read;
    ASSERT_TRUE(read.parse(twoLevels().text())) << twoLevels().text();
    EXPECT_EQ(read.text(), twoLevels().text());
    EXPECT_TRUE(read.anyFinished());
    EXPECT_EQ(read.furthest(), "level2.level");
    const LevelRecord* first = read.find("level1.level");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->bestTicks, 1500);
    EXPECT_EQ(first->deaths, 1);
    EXPECT_EQ(first->name, "Meadow Walk");
    EXPECT_EQ(read.find("level2.level")->bestTicks, -1);
    EXPECT_FALSE(read.find("level2.level")->finished);
    EXPECT_FALSE(Progress().anyFinished());
    EXPECT_EQ(Progress().furthest(), "");
}

TEST(ProgressTest, AnythingButItsOwnWholeTextIsRefusedAndLeavesTheProgressAlone) {
    const std::string whole = twoLevels().text();
    const std::vector<std::string> damaged = {
        "",
        whole.substr(0, whole.size() - 1),              // the last line feed missing
        whole.substr(0, whole.find("[level2.level]")),  // cut short before "end"
        whole + "[level3.level]\n",                     // after "end"
        "[level1.level]\ndeaths=-1\nend\n",
        "[level1.level]\nbest ticks=12x\nend\n",
        "[level1.level]\nbest ticks=99999999999999999999\nend\n",
        "[level1.level]\nfinished=maybe\nend\n",
        "[level1.level]\ncolour=red\nend\n",
        "deaths=1\nend\n",           // a field outside any level
        "[../settings.ini]\nend\n",  // not a level file name
        "[level1.level]\n[level1.level]\nend\n",
    };
    for (const std::string& text : damaged) {
        Progress progress = twoLevels();
        EXPECT_FALSE(progress.parse(text)) << text;
        EXPECT_EQ(progress.text(), twoLevels().text());
    }
}

TEST(ProgressFileTest, SavesWholeFilesOnlyAndKeepsADamagedOneAsideWithOneLine) {
    testsupport::ScopedTempDir dir;
    {
        LogCapture log;
        ProgressFile none;
        none.load();
        EXPECT_FALSE(none.progress().anyFinished());
        EXPECT_EQ(log.text(), "");
        EXPECT_TRUE(filesHere().empty()) << "loading writes nothing";
    }
    ProgressFile file;
    file.progress() = twoLevels();
    ASSERT_TRUE(file.save());
    ASSERT_TRUE(file.save());
    EXPECT_EQ(filesHere(), std::vector<std::string>{"progress.ini"}) << "no temporary file is left behind";
    ProgressFile again;
    again.load();
    EXPECT_EQ(again.progress().text(), twoLevels().text());

    // A damaged file: one line, moved aside untouched, and the game goes on without progress.
    testsupport::writeFile("progress.ini", "[level1.level]\nbest ticks=");
    {
        LogCapture log;
        ProgressFile damaged;
        damaged.load();
        EXPECT_FALSE(damaged.progress().anyFinished());
        EXPECT_EQ(log.text(),
                  "[PROGRESS] progress.ini is damaged; kept as progress.ini.damaged, playing without progress\n");
        EXPECT_EQ(testsupport::readFile("progress.ini.damaged"), "[level1.level]\nbest ticks=");
        damaged.progress() = twoLevels();
        EXPECT_TRUE(damaged.save());
    }
    // A second damaged file does not replace the first one kept aside.
    testsupport::writeFile("progress.ini", "rubbish\n");
    ProgressFile second;
    second.load();
    EXPECT_EQ(testsupport::readFile("progress.ini.damaged.1"), "rubbish\n");
    EXPECT_NE(testsupport::readFile("progress.ini.damaged"), "rubbish\n");

    // A folder in the file's place cannot be read: it is moved aside too, never removed.
    std::filesystem::remove("progress.ini");
    std::filesystem::create_directory("progress.ini");
    ProgressFile folder;
    folder.load();
    EXPECT_TRUE(std::filesystem::is_directory("progress.ini.damaged.2"));
}

TEST(ProgressFileTest, AFolderThatCannotBeWrittenFailsTheSaveWithOneLine) {
    testsupport::ScopedTempDir dir;
    std::filesystem::create_directories("sub/progress.ini");  // a path through a folder with no "inner"
    ProgressFile file("sub/progress.ini/inner/progress.ini");
    file.progress() = twoLevels();
    LogCapture log;
    EXPECT_FALSE(file.save());
    EXPECT_EQ(log.text().rfind("[PROGRESS] could not save sub/progress.ini/inner/progress.ini: ", 0), 0u) << log.text();
    EXPECT_TRUE(std::filesystem::is_empty("sub/progress.ini"));
}
