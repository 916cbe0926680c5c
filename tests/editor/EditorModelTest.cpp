#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "EditorTestSupport.h"
#include "editor/EditorModel.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;
using editortest::firstOf;
using testsupport::fileExists;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// Ground, a trap on it and a bush in front of both; a second bush names a missing picture.
const char* const kPickLevel =
    "[Properties]\nwidth: 640\nheight: 480\nspawnx: 64\nspawny: 338\nwinimg: goal.png\nwinx: 560\nwiny: 328\n"
    "nextmap: finish\nend\n"
    "[Platform]\nx: 0\ny: 384\nw: 640\nh: 96\nend\n"
    "[Decoration]\nimg: deco_bush.png\nx: 10\ny: 370\nz: -1\nend\n"
    "[Trap]\nimg: spikes.png\nx: 12\ny: 372\nend\n"
    "[Decoration]\nimg: nothere.png\nx: 300\ny: 300\nend\n";

class EditorModelTest : public ::testing::Test {
protected:
    void SetUp() override { game = editortest::makeGameFolder(); }

    testsupport::ScopedTempDir temp;
    std::string game;
    std::string why;
    EditorModel model;
};

TEST_F(EditorModelTest, AMissingLevelStartsFromATemplateThatPassesTheCheckerAndIsWrittenOnlyWhenSaved) {
    ASSERT_TRUE(model.open(game, "data/new.level", why)) << why;
    EXPECT_FALSE(fileExists(game + "/data/new.level"));
    EXPECT_TRUE(model.errors().empty()) << model.errors().front();
    EXPECT_TRUE(model.warnings().empty()) << model.warnings().front();
    EXPECT_GE(firstOf(model, EditKind::Platform), 0);
    EXPECT_TRUE(model.unsaved());
    ASSERT_TRUE(model.save(why)) << why;
    EXPECT_EQ(readFile(game + "/data/new.level"), EditorModel::templateText());
    EXPECT_FALSE(fileExists(game + "/data/new.level~"));
    EXPECT_FALSE(model.unsaved());
}

TEST_F(EditorModelTest, OnlyTheFirstSaveOfASessionKeepsTheOldFile) {
    writeFile(game + "/data/pick.level", kPickLevel);
    ASSERT_TRUE(model.open(game, "data/pick.level", why));
    model.moveBy(firstOf(model, EditKind::Start), 10, 0);
    ASSERT_TRUE(model.save(why)) << why;
    model.moveBy(firstOf(model, EditKind::Start), 10, 0);
    ASSERT_TRUE(model.save(why)) << why;
    EXPECT_EQ(readFile(game + "/data/pick.level~"), kPickLevel);
    EXPECT_NE(readFile(game + "/data/pick.level").find("spawnx: 84\n"), std::string::npos);
}

TEST_F(EditorModelTest, ALevelThatCannotBeReadIsRefusedAndTheOpenOneStays) {
    writeFile(game + "/data/pick.level", kPickLevel);
    ASSERT_TRUE(model.open(game, "data/pick.level", why));
    fs::create_directory(game + "/data/folder.level");
    EXPECT_FALSE(model.open(game, "data/folder.level", why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(model.path(), "data/pick.level");
    EXPECT_EQ(model.text(), kPickLevel);
}

TEST_F(EditorModelTest, TheTopmostDrawnObjectIsPickedAndFindingsNameTheirObject) {
    writeFile(game + "/data/pick.level", kPickLevel);
    ASSERT_TRUE(model.open(game, "data/pick.level", why));
    auto kindAt = [this](int x, int y) {
        const int picked = model.objectAt(x, y);
        return picked < 0 ? std::string("none") : model.objects()[picked].picture;
    };
    EXPECT_EQ(kindAt(20, 386), "deco_bush.png");
    EXPECT_EQ(kindAt(100, 380), "spikes.png");
    EXPECT_EQ(kindAt(600, 400), "");  // the ground has no picture
    EXPECT_EQ(kindAt(70, 340), "");   // the start
    EXPECT_EQ(model.objects()[model.objectAt(70, 340)].kind, EditKind::Start);
    EXPECT_EQ(kindAt(570, 340), "goal.png");
    EXPECT_EQ(kindAt(639, 479), "");
    EXPECT_EQ(kindAt(640, 480), "none");
    model.remove(model.objectAt(20, 386));
    EXPECT_EQ(kindAt(20, 386), "spikes.png");

    ASSERT_EQ(model.errors().size(), 1u);
    const int missing = model.objectOfFinding(model.errors()[0]);
    ASSERT_GE(missing, 0);
    EXPECT_EQ(model.objects()[missing].picture, "nothere.png");
    EXPECT_EQ(model.objectOfFinding("data/pick.level:5: spawny"), firstOf(model, EditKind::Start));
    EXPECT_EQ(model.objectOfFinding("data/pick.level:8: winy"), firstOf(model, EditKind::Goal));
    EXPECT_EQ(model.objectOfFinding("data/pick.level:0: the file"), -1);
    EXPECT_EQ(model.objectOfFinding("other.level:12: x"), -1);

    model.setKey(missing, "img", "deco_bush.png");
    EXPECT_TRUE(model.errors().empty());
}

// Root writes into any folder, so the save runs as nobody where it can.
TEST_F(EditorModelTest, ASaveIntoAFolderThatCannotBeWrittenFailsAndLeavesTheFile) {
    const std::string data = game + "/data";
    writeFile(data + "/pick.level", kPickLevel);
    chmod(temp.path().c_str(), 0755);
    chmod(game.c_str(), 0755);
    chmod(data.c_str(), 0555);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(77);
        }
        EditorModel saving;
        std::string reason;
        if (!saving.open(game, "data/pick.level", reason)) {
            _exit(2);
        }
        saving.moveBy(firstOf(saving, EditKind::Goal), -5, 0);
        const bool saved = saving.save(reason);
        _exit(saved ? 3 : reason.empty() ? 4 : !saving.unsaved() ? 5 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    chmod(data.c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "cannot drop root here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2 open failed, 3 saved, 4 no reason, 5 not unsaved";
    EXPECT_EQ(readFile(data + "/pick.level"), kPickLevel);
    EXPECT_FALSE(fileExists(data + "/pick.level~"));
}

}  // namespace
