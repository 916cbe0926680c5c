#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "level/LevelWatch.h"
#include "support/TestFiles.h"

using testsupport::ScopedTempDir;
using testsupport::writeFile;

namespace {

const char* const kLevel =
    "[Properties]\nwidth: 640\nheight: 480\nspawnx: 10\nspawny: 10\nwinimg: goal.png\nend\n"
    "[BG]\nimg: sprites/bg.png\nend\n[Platform]\nimg: tile.png\nend\n[Platform]\nimg: tile.png\nend\n";

}  // namespace

TEST(LevelWatchTest, ASaveIsTakenOnceTwoLooksAgreeOnItAndOnlyTheLevelsPicturesCount) {
    ScopedTempDir dir;
    writeFile("mine.level", kLevel);
    writeFile("sprites/tile.png", "old");
    writeFile("sprites/other.png", "old");
    EXPECT_EQ(LevelWatch::picturesNamed(kLevel),
              (std::vector<std::string>{"sprites/goal.png", "sprites/bg.png", "sprites/tile.png"}));

    LevelWatch watch;
    EXPECT_FALSE(watch.tick()) << "nothing watched";
    watch.watch("mine.level");
    EXPECT_FALSE(watch.look());
    writeFile("sprites/other.png", "changed");
    EXPECT_FALSE(watch.look());
    EXPECT_FALSE(watch.look()) << "a picture the level does not name";

    writeFile("sprites/tile.png", "new picture");
    EXPECT_FALSE(watch.look()) << "still being written, perhaps";
    EXPECT_TRUE(watch.look());
    EXPECT_EQ(watch.changedPictures(), std::vector<std::string>{"sprites/tile.png"});
    // A picture that appears where none was counts too.
    writeFile("sprites/goal.png", "drawn at last");
    EXPECT_EQ(watch.changedPictures(), (std::vector<std::string>{"sprites/goal.png", "sprites/tile.png"}));
    watch.take();
    EXPECT_FALSE(watch.look());
    EXPECT_TRUE(watch.changedPictures().empty());

    // The ticks between looks: the first look comes on the last of them.
    writeFile("mine.level", std::string(kLevel) + "; a note\n");
    int ticks = 0;
    while (!watch.tick() && ticks < 10 * LevelWatch::kTicksBetweenLooks) ++ticks;
    EXPECT_EQ(ticks + 1, 2 * LevelWatch::kTicksBetweenLooks);
    watch.stop();
    writeFile("mine.level", "");
    for (int i = 0; i < 4 * LevelWatch::kTicksBetweenLooks; ++i) EXPECT_FALSE(watch.tick());
}

TEST(LevelWatchTest, ASaveThatLeavesNoLevelToPlaceThePlayerInIsToldWhy) {
    ScopedTempDir dir;
    LevelWatch watch;
    writeFile("mine.level", kLevel);
    watch.watch("mine.level");
    EXPECT_EQ(watch.whyUnplayable(), "");
    writeFile("mine.level", "[Properties]\nwidth: 640\nheight: 480\nspawnx: 10\nend\n");
    EXPECT_EQ(watch.whyUnplayable(), "property spawny is not given");
    writeFile("mine.level", std::string(kLevel) + "[Trap]\nx: 5\n");
    EXPECT_EQ(watch.whyUnplayable(), "section [Trap] of line 17 is not closed with \"end\"");
    std::filesystem::remove("mine.level");
    EXPECT_EQ(watch.whyUnplayable(), "cannot be read: No such file or directory");
}
