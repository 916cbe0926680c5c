// The fairness check measures what a person's timing needs; its figures must be the play's own.
#include "game/FairnessCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "game/ScriptedPlay.h"
#include "support/TestFiles.h"

using testsupport::writeFile;

namespace {

// A flat floor from the start to the goal; the traps come after.
const std::string floor =
    "[Properties]\nwidth: 1280\nheight: 480\nspawnx: 40\nspawny: 354\nwinimg: goal.png\nwinx: 1000\nwiny: 344\n"
    "nextmap: finish\nend\n"
    "[Platform]\nimg: tile.png\nx: 0\ny: 400\nw: 1280\nh: 80\nend\n";

void writeGameFolder(const std::string& traps) {
    auto picture = [](const std::string& path, int width, int height) {
        testsupport::writeRgbaPng(path, width, height, std::vector<unsigned char>(width * height * 4, 200));
    };
    picture("sprites/brisel.png", 384, 168);
    picture("sprites/goal.png", 40, 56);
    picture("sprites/tile.png", 64, 32);
    picture("sprites/spike.png", 32, 16);
    writeFile("data/test.level", floor + traps);
}

InputScript keys(const std::string& text) {
    std::istringstream in(text);
    InputScript script;
    std::string error;
    EXPECT_TRUE(script.parse(in, error)) << error;
    return script;
}

FairnessCheck::Report check(const InputScript& script, unsigned seeds = 3) {
    FairnessCheck::Options options;
    options.seeds = seeds;
    options.jitterRuns = 10;
    FairnessCheck fairness("test.level", script, {}, options);
    FairnessCheck::Report report;
    EXPECT_TRUE(fairness.run(report));
    return report;
}

bool jumpAtWins(int tick) {
    SharedState shared;
    HeadlessPlay play(&shared);
    std::srand(1);
    play.load("test.level");
    const InputScript script = keys("1 down right\n" + std::to_string(tick) + " press space\n");
    const ScriptedPlay::Result result = ScriptedPlay::play(play, script, 1000);
    return result.end == ScriptedPlay::End::Won && result.respawns == 0;
}

class FairnessCheckTest : public ::testing::Test {
protected:
    testsupport::ScopedTempDir dir;
    testsupport::LogCapture log;
};

}  // namespace

TEST_F(FairnessCheckTest, TheClosestPassIsTheGapBetweenTheBoxes) {
    // The player's box tops out at y 354; the spike's bottom edge is at 344.
    writeGameFolder("[Trap]\nimg: spike.png\npartition: 1\nx: 500\ny: 328\nend\n");
    const FairnessCheck::Report report = check(keys("1 down right\n"));
    ASSERT_TRUE(report.won);
    EXPECT_EQ(report.closestPass, 10);
    ASSERT_EQ(report.traps.size(), 1u);
    EXPECT_EQ(report.traps[0].line, 18);
    ASSERT_EQ(report.windows.size(), 1u);
    // Tick 1 cannot come earlier; walking off later still arrives.
    EXPECT_EQ(report.windows[0].earliest, 0);
    EXPECT_EQ(report.windows[0].latest, 3);
    EXPECT_EQ(report.failingBothSides, 0);
    EXPECT_EQ(report.jitterWins, report.jitterRuns);
    for (const FairnessCheck::SeedResult& seed : report.seeds) {
        EXPECT_TRUE(seed.won) << seed.seed;
        EXPECT_TRUE(seed.waits.empty()) << seed.seed;
    }
}

TEST_F(FairnessCheckTest, AJumpsWindowIsEveryTickThatStillClearsTheSpikes) {
    writeGameFolder(
        "[Trap]\nimg: spike.png\npartition: 1\nx: 600\ny: 384\nend\n"
        "[Trap]\nimg: spike.png\npartition: 1\nx: 632\ny: 384\nend\n"
        "[Trap]\nimg: spike.png\npartition: 1\nx: 664\ny: 384\nend\n");
    std::vector<int> winning;
    for (int tick = 2; tick < 200; ++tick) {
        if (jumpAtWins(tick)) {
            winning.push_back(tick);
        }
    }
    ASSERT_FALSE(winning.empty());
    // Every tick between the first and last that win wins too, so a window is what is measured.
    ASSERT_EQ(winning.back() - winning.front() + 1, static_cast<int>(winning.size()));
    for (int jump : {winning.front(), winning[winning.size() / 2], winning.back()}) {
        const FairnessCheck::Report report = check(keys("1 down right\n" + std::to_string(jump) + " press space\n"));
        ASSERT_TRUE(report.won) << jump;
        ASSERT_EQ(report.windows.size(), 2u);
        const FairnessCheck::EventWindow& window = report.windows[1];
        EXPECT_EQ(window.earliest, std::max(-3, winning.front() - jump)) << jump;
        EXPECT_EQ(window.latest, std::min(3, winning.back() - jump)) << jump;
        EXPECT_EQ(window.failsBothSides, winning.size() == 1) << jump;
    }
}

TEST_F(FairnessCheckTest, ASeedThatMeetsTheTrapInTheWayWinsByWaitingWhereThePlayerStands) {
    // A spike rising and falling across the walkway, somewhere else in its path at every seed.
    writeGameFolder("[Trap]\nimg: spike.png\npartition: 1\nyfloating: 60\nx: 600\ny: 330\nend\n");
    const FairnessCheck::Report report = check(keys("30 down right\n"), 10);
    int waited = 0;
    for (const FairnessCheck::SeedResult& seed : report.seeds) {
        EXPECT_TRUE(seed.won) << seed.seed;
        for (const auto& [tick, wait] : seed.waits) {
            EXPECT_EQ(tick, 30) << seed.seed;
            EXPECT_GT(wait, 0);
            ++waited;
        }
    }
    EXPECT_GT(waited, 0) << "no seed met the spike: the test shows nothing";
}
