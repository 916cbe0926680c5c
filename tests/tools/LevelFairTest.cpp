// levelfair runs over every shipped level without a display, and every one must meet the fair
// bar: no event failing at both sides, 4 px at every trap, seeds 1-10 won.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestFiles.h"

namespace {

int levelfair(int level) {
    const std::string tool = testsupport::binaryDir() + "/tools/levelfair";
    const std::string name = "level" + std::to_string(level);
    const std::string command = "cd " + testsupport::sourceDir() + " && env -u DISPLAY " + tool + " --strict " + name +
                                ".level tests/replays/" + name + ".keys >" + testsupport::binaryDir() + "/" + name +
                                ".fair.txt 2>&1";
    return std::system(command.c_str());
}

}  // namespace

TEST(LevelFairTest, EveryShippedLevelIsFair) {
    int level = 1;
    for (; std::filesystem::exists(testsupport::sourceDir() + "/data/level" + std::to_string(level) + ".level");
         ++level) {
        EXPECT_EQ(levelfair(level), 0) << testsupport::readFile(testsupport::binaryDir() + "/level" +
                                                                std::to_string(level) + ".fair.txt");
    }
    EXPECT_GT(level, 12);
}
