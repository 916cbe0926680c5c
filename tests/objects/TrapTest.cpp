#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "WorldTestSupport.h"
#include "sound/WubManager.h"
#include "support/GlContext.h"
#include "support/TestFiles.h"

namespace {

using worldtest::FakeSoundSource;
using worldtest::RecordingSoundEngine;

// The game's degree, 3.141595 / 180, as a 32-bit float.
constexpr float kDegree = 0.017453305555555555f;

// The next values rand() will give after srand(seed).
std::vector<int> randomsAfter(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(std::rand());
    }
    std::srand(seed);
    return values;
}

float wholeDegree(int random) {
    return static_cast<float>(random % 360) * kDegree;
}

// One float step as the trap takes it: the phase grows one degree, stored as a 32-bit float.
float nextPhase(float phase) {
    return static_cast<float>(phase + 0.017453305555555555);
}

int onPath(int centre, int amplitude, double wave) {
    return static_cast<int>(centre + amplitude * wave);
}

TEST(TrapConstruction, HasNoBoxNoImageAndRandomPhases) {
    const std::vector<int> r = randomsAfter(11, 2);
    Trap trap;
    EXPECT_EQ(trap.image, nullptr);
    EXPECT_EQ(trap.width, 0);
    EXPECT_EQ(trap.height, 0);
    EXPECT_EQ(trap.floatX, 0);
    EXPECT_EQ(trap.floatY, 0);
    EXPECT_EQ(trap.sound, nullptr);
    EXPECT_EQ(trap.soundEngine, WubManager::instance()->engine);
    EXPECT_EQ(trap.phaseX, wholeDegree(r[0]));
    EXPECT_EQ(trap.phaseY, wholeDegree(r[1]));
}

TEST(TrapConstruction, OneDegreeIsTheGamesOwnNotTruePi) {
    unsigned seed = 1;
    for (; seed < 100000; ++seed) {
        std::srand(seed);
        if (std::rand() % 360 == 180) {
            break;
        }
    }
    ASSERT_LT(seed, 100000u);
    std::srand(seed);
    Trap trap;
    EXPECT_EQ(trap.phaseX, 3.141595f);
    EXPECT_NE(trap.phaseX, 3.14159265358979f);
}

TEST(TrapPlacement, WithoutFloatSitsExactlyWhereItIsPut) {
    Trap trap;
    trap.setX(123);
    trap.setY(-45);
    EXPECT_EQ(trap.x, 123);
    EXPECT_EQ(trap.y, -45);
    EXPECT_EQ(trap.baseX, 123);
    EXPECT_EQ(trap.baseY, -45);
    trap.draw(0, 0);
    trap.draw(0, 0);
    EXPECT_EQ(trap.x, 123);
    EXPECT_EQ(trap.y, -45);
}

TEST(TrapPlacement, WithFloatStartsAtAFreshRandomPointOfItsPath) {
    Trap trap;
    trap.setFloatX(40);
    trap.setFloatY(30);
    const float phaseBefore = trap.phaseX;
    const std::vector<int> r = randomsAfter(5, 2);
    trap.setX(200);
    trap.setY(100);
    EXPECT_EQ(trap.x, onPath(200, 40, std::cos(static_cast<double>(wholeDegree(r[0])))));
    EXPECT_EQ(trap.y, onPath(100, 30, std::sin(static_cast<double>(wholeDegree(r[1])))));
    EXPECT_EQ(trap.baseX, 200);
    EXPECT_EQ(trap.baseY, 100);
    // The fresh angle is not kept.
    EXPECT_EQ(trap.phaseX, phaseBefore);
}

TEST(TrapFloat, BothAxesShareThePhaseOfTheLastSetting) {
    const std::vector<int> r = randomsAfter(21, 4);
    Trap trap;
    trap.setFloatY(30);
    EXPECT_EQ(trap.phaseY, wholeDegree(r[2]));
    EXPECT_EQ(trap.phaseX, wholeDegree(r[0]));
    trap.setFloatX(40);
    EXPECT_EQ(trap.phaseX, wholeDegree(r[3]));
    EXPECT_EQ(trap.phaseY, wholeDegree(r[3]));
}

TEST(TrapFloat, OneAxisLeavesTheOtherPhaseAlone) {
    const std::vector<int> r = randomsAfter(3, 3);
    Trap trap;
    trap.setFloatX(40);
    EXPECT_EQ(trap.phaseX, wholeDegree(r[2]));
    EXPECT_EQ(trap.phaseY, wholeDegree(r[1]));
}

TEST(TrapFloat, RunsClockwiseRoundAnEllipseOneDegreePerDraw) {
    std::srand(99);
    Trap trap;
    trap.setFloatX(50);
    trap.setFloatY(20);
    trap.setX(300);
    trap.setY(200);
    float phase = trap.phaseX;
    ASSERT_EQ(trap.phaseY, phase);
    int turnsDown = 0;
    for (int i = 0; i < 360; ++i) {
        const int previousY = trap.y;
        trap.advance();
        phase = nextPhase(phase);
        ASSERT_EQ(trap.phaseX, phase);
        ASSERT_EQ(trap.phaseY, phase);
        ASSERT_EQ(trap.x, onPath(300, 50, std::cos(static_cast<double>(phase))));
        ASSERT_EQ(trap.y, onPath(200, 20, std::sin(static_cast<double>(phase))));
        // With y downwards, right of the centre the trap moves down: clockwise on screen.
        if (trap.x > 300 + 25 && i > 0) {
            EXPECT_GE(trap.y, previousY);
            ++turnsDown;
        }
    }
    EXPECT_GT(turnsDown, 0);
}

TEST(TrapFloat, HostileAmplitudesSaturate) {
    Trap trap;
    trap.setFloatX(INT_MAX);
    trap.setFloatY(INT_MIN);
    trap.setX(INT_MAX);
    trap.setY(INT_MIN);
    bool reachedTheLimit = false;
    for (int i = 0; i < 400; ++i) {
        trap.advance();
        EXPECT_GE(trap.x, 0);
        EXPECT_LE(trap.y, 0);
        reachedTheLimit = reachedTheLimit || trap.x == INT_MAX;
    }
    EXPECT_TRUE(reachedTheLimit);
}

TEST(TrapHazard, TestedWhereItsMotionHasTakenIt) {
    std::srand(4);
    Level level;
    level.width = 1000;
    level.height = 1000;
    Trap* trap = new Trap();
    level.traps.push_back(trap);
    trap->setFloatX(100);
    trap->setX(400);
    trap->setY(300);
    const int placedX = trap->x;
    SceneryState scenery = sceneryOf(level);
    advanceScenery(level, scenery);
    while (std::abs(scenery.traps[0].x - placedX) < 5) {
        advanceScenery(level, scenery);
    }
    const Bounds aroundNow{scenery.traps[0].x - 1, 299, 2, 2};
    const Bounds aroundPlaced{placedX - 1, 299, 2, 2};
    EXPECT_TRUE(touchesHazard(level, scenery.traps, aroundNow));
    EXPECT_FALSE(touchesHazard(level, scenery.traps, aroundPlaced));
    // Drawing only draws: the object stays where it was placed until the motion is shown.
    trap->draw(0, 0);
    EXPECT_EQ(trap->x, placedX);
    EXPECT_TRUE(touchesHazard(level, aroundPlaced));
}

TEST(TrapHazard, PointTrapInsidePlayersBoxOnly) {
    Level level;
    level.width = 1000;
    level.height = 1000;
    worldtest::addTrap(level, 50, 60, 0, 0);
    EXPECT_TRUE(touchesHazard(level, Bounds{20, 20, 34, 46}));
    EXPECT_FALSE(touchesHazard(level, Bounds{16, 20, 34, 46}));
    EXPECT_FALSE(touchesHazard(level, Bounds{20, 14, 34, 46}));
    EXPECT_FALSE(touchesHazard(level, Bounds{50, 20, 34, 46}));
}

TEST(TrapPartition, WithoutImageOnlyLogs) {
    testsupport::LogCapture log;
    Trap trap;
    trap.partition(5);
    EXPECT_EQ(trap.width, 0);
    EXPECT_EQ(trap.height, 0);
    EXPECT_NE(log.text().find("partitioning 5\n"), std::string::npos);
}

TEST(TrapPartition, BoxTakesTheFrameSize) {
    testsupport::ensureGlContext();
    testsupport::ScopedTempDir dir;
    testsupport::writeRgbaPng("sprites/spikes.png", 90, 30, std::vector<unsigned char>(90 * 30 * 4, 255));
    Trap trap;
    trap.setImage("sprites/spikes.png");
    // The picture alone does not give a box.
    EXPECT_EQ(trap.width, 0);
    testsupport::LogCapture log;
    trap.partition(3);
    EXPECT_EQ(trap.width, 30);
    EXPECT_EQ(trap.height, 30);
    EXPECT_EQ(log.text(), "partitioning 3\n");

    log.clear();
    trap.partition(200);
    EXPECT_EQ(log.text(), "invalid image partion\npartitioning 200\n");
    EXPECT_EQ(trap.width, 30);
    EXPECT_EQ(trap.height, 30);
}

TEST(TrapDrawing, DrawsItsPictureWhereTheFloatPutIt) {
    testsupport::ensureGlContext();
    testsupport::ScopedTempDir dir;
    std::vector<unsigned char> green;
    for (int i = 0; i < 4 * 4; ++i) {
        green.insert(green.end(), {0, 255, 0, 255});
    }
    testsupport::writeRgbaPng("sprites/gem.png", 4, 4, green);
    Trap trap;
    trap.setImage("sprites/gem.png");
    trap.setFloatY(10);
    trap.setX(50);
    trap.setY(50);
    testsupport::clearScreen();
    trap.draw(100, 100);
    EXPECT_EQ(testsupport::readPixel(150, 100 + trap.y), (testsupport::Rgba{0, 255, 0, 255}));
    EXPECT_EQ(testsupport::readPixel(150, 100 + trap.y - 1), (testsupport::Rgba{0, 0, 0, 255}));
}

class TrapSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        WubManager* manager = WubManager::instance();
        manager->sources["sounds/hum.wav"] = &hum;
        manager->sources["sounds/buzz.wav"] = &buzz;
    }

    static FakeSoundSource hum;
    static FakeSoundSource buzz;
    RecordingSoundEngine engine;
};

FakeSoundSource TrapSoundTest::hum;
FakeSoundSource TrapSoundTest::buzz;

TEST_F(TrapSoundTest, LoopStartsAtTheTrapsPlaceAtThatMoment) {
    Trap trap;
    trap.soundEngine = &engine;
    trap.setX(256);
    trap.setY(100);
    trap.width = 64;
    trap.height = 28;
    trap.setSound("sounds/hum.wav");
    EXPECT_EQ(trap.sound, &hum);
    ASSERT_EQ(engine.plays.size(), 1u);
    EXPECT_EQ(engine.plays[0].source, &hum);
    EXPECT_TRUE(engine.plays[0].looped);
    EXPECT_TRUE(engine.plays[0].positioned);
    EXPECT_FLOAT_EQ(engine.plays[0].position.X, 288 / 128.0f);
    EXPECT_FLOAT_EQ(engine.plays[0].position.Y, 1.0f);
    // The volume stays the manager's default.
    EXPECT_FLOAT_EQ(hum.volume, 1.0f);
}

TEST_F(TrapSoundTest, SecondSoundStartsASecondLoopAndKeepsTheFirstSource) {
    Trap trap;
    trap.soundEngine = &engine;
    trap.setSound("sounds/hum.wav");
    trap.setSound("sounds/buzz.wav");
    EXPECT_EQ(trap.sound, &buzz);
    EXPECT_EQ(engine.plays.size(), 2u);
    EXPECT_EQ(hum.drops, 0);
    EXPECT_EQ(WubManager::instance()->requestSoundSource("sounds/hum.wav"), &hum);
}

TEST_F(TrapSoundTest, WithoutEngineTheSourceIsStillTaken) {
    Trap trap;
    trap.soundEngine = nullptr;
    trap.setSound("sounds/hum.wav");
    EXPECT_EQ(trap.sound, &hum);
}

TEST_F(TrapSoundTest, MissingSourceIsNotPlayed) {
    testsupport::ScopedTempDir dir;
    Trap trap;
    trap.soundEngine = &engine;
    trap.setSound("sounds/none.wav");
    EXPECT_EQ(trap.sound, nullptr);
    EXPECT_TRUE(engine.plays.empty());
}

}  // namespace
