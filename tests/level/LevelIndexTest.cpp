#include "level/LevelIndex.h"

#include <gtest/gtest.h>

#include <random>

#include "level/Level.h"
#include "objects/Movement.h"
#include "objects/Platform.h"
#include "objects/Trap.h"
#include "support/TestFiles.h"

// The index must answer exactly as walking the lists does, whatever the world holds: boxes of
// every size and sign, far-flung and huge ones, and traps that have floated for a while.
namespace {

struct World {
    explicit World(unsigned int seed) : random(seed) {}

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    int size() {
        switch (uniform(0, 9)) {
        case 0:
            return 0;
        case 1:
            return -uniform(1, 40);
        case 2:
            return uniform(2000, 200000);  // a floor across many cells
        default:
            return uniform(1, 300);
        }
    }

    int position() { return uniform(0, 19) == 0 ? uniform(-2000000000, 2000000000) : uniform(-600, 4000); }

    void fill(Level& level) {
        level.width = uniform(500, 5000);
        level.height = uniform(300, 2000);
        for (int i = uniform(0, 120); i > 0; --i) {
            Platform* platform = new Platform();
            platform->setX(position());
            platform->setY(position());
            platform->width = size();
            platform->height = size();
            level.platforms.push_back(platform);
        }
        for (int i = uniform(0, 30); i > 0; --i) {
            Trap* trap = new Trap();
            if (uniform(0, 1) == 1) {
                trap->setFloatX(uniform(-300, 300));
            }
            trap->setX(position());
            if (uniform(0, 1) == 1) {
                trap->setFloatY(uniform(-300, 300));
            }
            trap->setY(position());
            trap->width = size();
            trap->height = size();
            level.traps.push_back(trap);
        }
    }

    Bounds box() { return Bounds{position(), position(), uniform(-3, 80), uniform(-3, 80)}; }

    std::mt19937 random;
};

bool blockedByScan(const Level& level, Bounds box) {
    for (const Platform* platform : level.platforms) {
        if (overlaps(box, platform->box())) {
            return true;
        }
    }
    return false;
}

bool hitByScan(const Level& level, Bounds box) {
    for (const Trap* trap : level.traps) {
        if (overlaps(box, trap->box())) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(LevelIndexTest, AnswersAsTheListsDoInRandomWorlds) {
    testsupport::LogCapture quiet;
    int blocked = 0;
    int hits = 0;
    for (unsigned int seed = 1; seed <= 40; ++seed) {
        World world(seed);
        Level level;
        world.fill(level);
        level.index.build(level);
        ASSERT_TRUE(level.index.coversPlatforms(level));
        ASSERT_TRUE(level.index.coversTraps(level));
        for (int round = 0; round < 4; ++round) {
            const std::vector<TrapMotion> motions = sceneryOf(level).traps;
            for (int probe = 0; probe < 400; ++probe) {
                const Bounds box = world.box();
                blocked += blockedByScan(level, box) ? 1 : 0;
                hits += hitByScan(level, box) ? 1 : 0;
                ASSERT_EQ(level.index.anyPlatformOverlaps(level, box), blockedByScan(level, box))
                    << "seed " << seed << " box " << box.x << "," << box.y << " " << box.w << "x" << box.h;
                ASSERT_EQ(level.index.anyTrapOverlaps(level, motions, box), hitByScan(level, box))
                    << "seed " << seed << " round " << round << " box " << box.x << "," << box.y;
            }
            // The traps float on between rounds, as the ticks move them.
            for (int pass = world.uniform(1, 200); pass > 0; --pass) {
                for (Trap* trap : level.traps) {
                    trap->advance();
                }
            }
        }
    }
    // Both answers come up often enough for the comparison to mean something.
    EXPECT_GT(blocked, 1000);
    EXPECT_GT(hits, 200);
}

TEST(LevelIndexTest, ALevelChangedAfterLoadingIsWalkedInstead) {
    Level level;
    level.width = 1000;
    level.index.build(level);
    Platform* platform = new Platform();
    platform->setX(100);
    platform->setY(100);
    platform->width = 50;
    platform->height = 50;
    level.platforms.push_back(platform);
    EXPECT_FALSE(level.index.coversPlatforms(level));
    EXPECT_TRUE(collides(level, Bounds{120, 120, 10, 10}));
}
