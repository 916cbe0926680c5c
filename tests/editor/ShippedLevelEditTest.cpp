#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "EditorTestSupport.h"
#include "core/TextInput.h"
#include "editor/EditorModel.h"
#include "graphics/Image.h"
#include "level/Level.h"
#include "level/LevelReader.h"
#include "objects/Checkpoint.h"
#include "objects/Platform.h"
#include "objects/Trap.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;
using editortest::firstOf;
using editortest::joined;
using editortest::linesOf;
using testsupport::readFile;

namespace {

std::vector<std::string> shippedLevels() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(testsupport::sourceDir() + "/data")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("level", 0) == 0 && entry.path().extension() == ".level") {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The line of the entry in force for key in the section, as the game's reader finds it.
int lineOf(const std::string& text, int section, const std::string& key) {
    const LevelReader reading(text);
    int line = 0;
    for (const LevelReader::Entry& entry : reading.sections().at(section).entries) {
        if (entry.key == key && entry.fate == LevelReader::Fate::Applied) {
            line = entry.line;
        }
    }
    return line;
}

using Shown = std::tuple<EditKind, int, int, int, int>;

Shown shownAs(EditKind kind, int x, int y, int w, int h) {
    return Shown{kind, x, y, w, h};
}

// What the game builds from the file, in its drawing order, as the editor shows objects.
std::vector<Shown> loadedByTheGame(const std::string& game, const std::string& name) {
    testsupport::ensureGlContext();
    testsupport::ScopedCurrentDir inGame(game);
    testsupport::LogCapture quiet;
    Level level;
    EXPECT_TRUE(level.loadFromFile(name));
    std::vector<Shown> all;
    auto decorations = [&all](const std::vector<Decoration*>& list) {
        for (const Decoration* d : list) {
            all.push_back(shownAs(EditKind::Decoration, d->x, d->y, d->width, d->height));
        }
    };
    decorations(level.backDecorations);
    for (const Platform* p : level.platforms) {
        all.push_back(shownAs(EditKind::Platform, p->x, p->y, p->width, p->height));
    }
    for (const Checkpoint* c : level.checkpoints) {
        all.push_back(shownAs(EditKind::Checkpoint, c->x, c->y, c->width, c->height));
    }
    all.push_back(shownAs(EditKind::Start, level.spawnX, level.spawnY, 34, 46));
    all.push_back(shownAs(EditKind::Goal, level.goal.x, level.goal.y, level.goal.width, level.goal.height));
    for (const Trap* t : level.traps) {
        all.push_back(shownAs(EditKind::Trap, t->baseX, t->baseY, static_cast<int>(t->image->frameWidth),
                              static_cast<int>(t->image->frameHeight)));
    }
    decorations(level.frontDecorations);
    return all;
}

std::vector<Shown> shownByTheEditor(const EditorModel& model) {
    std::vector<Shown> all;
    for (const EditObject& o : model.objects()) {
        all.push_back(shownAs(o.kind, o.x, o.y, o.w, o.h));
    }
    return all;
}

class ShippedLevelEditTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        game = editortest::makeGameFolder();
        path = "data/" + GetParam();
        original = readFile(game + "/" + path);
        ASSERT_TRUE(model.open(game, path, why)) << why;
        platform = firstOf(model, EditKind::Platform);
        ASSERT_GE(platform, 0);
    }

    // The original lines with the line of key in the section given a new value.
    std::string withValue(int section, const std::string& key, int value) const {
        std::vector<std::string> lines = linesOf(original);
        const int line = lineOf(original, section, key);
        EXPECT_GT(line, 0) << key;
        std::string& changed = lines.at(line - 1);
        changed = key + ": " + std::to_string(value) + changed.substr(changed.find_last_not_of("\r\n") + 1);
        return joined(lines);
    }

    bool saved() {
        const bool ok = model.save(why);
        EXPECT_TRUE(ok) << why;
        return ok;
    }

    testsupport::ScopedTempDir temp;
    std::string game;
    std::string path;
    std::string original;
    std::string why;
    EditorModel model;
    int platform = -1;
};

TEST_P(ShippedLevelEditTest, SavingWithoutAChangeKeepsEveryByteAndTheBackup) {
    EXPECT_FALSE(model.unsaved());
    ASSERT_TRUE(saved());
    EXPECT_EQ(readFile(game + "/" + path), original);
    EXPECT_EQ(readFile(game + "/" + path + "~"), original);
    EXPECT_TRUE(model.errors().empty()) << model.errors().front();
}

TEST_P(ShippedLevelEditTest, EachEditRewritesOnlyItsOwnLines) {
    const EditObject box = model.objects()[platform];
    model.moveBy(platform, 7, 0);
    EXPECT_EQ(model.text(), withValue(box.section, "x", box.x + 7));
    ASSERT_TRUE(model.undo());
    model.setBox(platform, box.x, box.y, box.w, box.h + 5);
    EXPECT_EQ(model.text(), withValue(box.section, "h", box.h + 5));
    ASSERT_TRUE(model.undo());

    const int start = firstOf(model, EditKind::Start);
    const EditObject spawn = model.objects()[start];
    model.moveBy(start, 0, -3);
    EXPECT_EQ(model.text(), withValue(spawn.section, "spawny", spawn.y - 3));
    ASSERT_TRUE(model.undo());
    const int goal = firstOf(model, EditKind::Goal);
    const EditObject win = model.objects()[goal];
    model.moveBy(goal, 4, 0);
    EXPECT_EQ(model.text(), withValue(win.section, "winx", win.x + 4));
    ASSERT_TRUE(model.undo());

    model.setKey(platform, "y", std::to_string(box.y + 1));
    EXPECT_EQ(model.text(), withValue(box.section, "y", box.y + 1));
    ASSERT_TRUE(model.undo());
    EXPECT_EQ(model.text(), original);
}

TEST_P(ShippedLevelEditTest, RemovingAndAddingTouchOnlyTheirSection) {
    const LevelReader reading(original);
    const LevelReader::Section& gone = reading.sections().at(model.objects()[platform].section);
    ASSERT_EQ(gone.end, LevelReader::End::Closed);
    std::vector<std::string> lines = linesOf(original);
    lines.erase(lines.begin() + (gone.line - 1), lines.begin() + gone.endLine);
    const size_t platformsBefore = model.objects().size();
    model.remove(platform);
    EXPECT_EQ(model.text(), joined(lines));
    EXPECT_EQ(model.objects().size(), platformsBefore - 1);
    ASSERT_TRUE(model.undo());

    const int added = model.add(EditKind::Decoration, "deco_bush.png", 100, 50);
    ASSERT_GE(added, 0);
    EXPECT_EQ(model.objects()[added].kind, EditKind::Decoration);
    EXPECT_EQ(model.objects()[added].x, 100);
    ASSERT_EQ(original.back(), '\n');
    EXPECT_EQ(model.text(), original + "\n[Decoration]\nimg: deco_bush.png\nx: 100\ny: 50\nend\n");
}

TEST_P(ShippedLevelEditTest, TheSavedLevelLoadsToTheObjectsShown) {
    model.moveBy(platform, -20, 12);
    model.setBox(platform, 40, 200, 96, 24);
    model.moveBy(firstOf(model, EditKind::Goal), 8, -8);
    const int copy = model.duplicate(platform);
    ASSERT_GE(copy, 0);
    EXPECT_EQ(model.objects()[copy].x, 56);
    EXPECT_EQ(model.objects()[copy].y, 216);
    ASSERT_GE(model.add(EditKind::Trap, "spikes.png", 300, 120), 0);
    ASSERT_GE(model.add(EditKind::Checkpoint, "checkpoint.png", 500, 100), 0);
    const int scenery = firstOf(model, EditKind::Decoration);
    if (scenery >= 0) {
        model.remove(scenery);
    }
    ASSERT_TRUE(saved());
    EXPECT_FALSE(model.unsaved());
    EXPECT_EQ(loadedByTheGame(game, GetParam()), shownByTheEditor(model));
}

TEST_P(ShippedLevelEditTest, UndoingEveryEditGivesBackTheOriginalBytesAndRedoReappliesThem) {
    model.beginGesture();
    for (int step = 0; step < 5; ++step) {
        model.moveBy(platform, 3, 1);
    }
    model.endGesture();
    model.setKey(firstOf(model, EditKind::Start), "name", "Edited");
    model.remove(firstOf(model, EditKind::Platform));
    model.add(EditKind::Platform, "", 10, 10);
    const std::string edited = model.text();
    EXPECT_TRUE(model.unsaved());

    int undone = 0;
    while (model.undo()) {
        ++undone;
    }
    EXPECT_EQ(undone, 4);  // the drag is one step
    EXPECT_FALSE(model.unsaved());
    ASSERT_TRUE(saved());
    EXPECT_EQ(readFile(game + "/" + path), original);
    while (model.redo()) {
    }
    EXPECT_EQ(model.text(), edited);
    EXPECT_TRUE(model.unsaved());
}

INSTANTIATE_TEST_SUITE_P(EveryShippedLevel, ShippedLevelEditTest, ::testing::ValuesIn(shippedLevels()),
                         [](const ::testing::TestParamInfo<std::string>& level) {
                             return level.param.substr(0, level.param.find('.'));
                         });

}  // namespace
