#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "editor/AtomicSave.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

constexpr int kKills = 100;
constexpr int kLongestWaitMicroseconds = 60000;

TEST(AtomicSaveTest, ASaveKilledAtAnyMomentLeavesTheOldTextOrTheNewOneWhole) {
    testsupport::ScopedTempDir temp;
    const std::string path = temp.path() + "/level.level";
    const std::string small = "[Properties]\nwidth: 640\nend\n";
    std::string big;
    for (int i = 0; i < 40000; ++i) {
        big += "; a long comment line " + std::to_string(i) + "\n";
    }
    writeFile(path, small);
    std::mt19937 random(20261209);
    for (int round = 0; round < kKills; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::string why;
            for (unsigned n = 0;; ++n) {
                saveAtomically(path, n % 2 == 0 ? big : small, false, why);
            }
        }
        usleep(static_cast<useconds_t>(random() % kLongestWaitMicroseconds));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string now = readFile(path);
        EXPECT_TRUE(now == small || now == big) << "round " << round << ": " << now.size() << " bytes";
        int strays = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(temp.path())) {
            const std::string name = entry.path().filename().string();
            if (name != "level.level") {
                ++strays;
                fs::remove(entry.path());
            }
        }
        EXPECT_LE(strays, 1) << "round " << round;
    }
}

TEST(AtomicSaveTest, ALinkIsSavedThroughAndAFailedBackupStopsTheSave) {
    testsupport::ScopedTempDir temp;
    writeFile("real.level", "old\n");
    fs::create_symlink("real.level", "link.level");
    std::string why;
    ASSERT_TRUE(saveAtomically("link.level", "new\n", true, why)) << why;
    EXPECT_TRUE(fs::is_symlink("link.level"));
    EXPECT_EQ(readFile("real.level"), "new\n");
    EXPECT_EQ(readFile("real.level~"), "old\n");

    fs::create_directory("held.level~");
    writeFile("held.level", "mine\n");
    EXPECT_FALSE(saveAtomically("held.level", "other\n", true, why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(readFile("held.level"), "mine\n");
}

}  // namespace
