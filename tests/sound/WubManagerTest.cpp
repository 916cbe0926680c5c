#include "sound/WubManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "LoopbackMixer.h"
#include "TestSound.h"
#include "sound/irrKlang.h"
#include "support/TestFiles.h"

using irrklang::ISoundSource;
using irrklang::vec3df;
using soundtest::LoopbackMixer;
using testsupport::LogCapture;
using testsupport::ScopedTempDir;

namespace {

const char kReadyLine[] = "[WubManager] Korvane is ready to rock!\n";
const char kErrorLine[] = "[WubManager] ERROR: Could not startup the sound engine\n";

std::string requestLine(const std::string& name) {
    return "Requesting Sound Source for \"" + name + "\" ... ";
}

// The manager opens the default output: these tests choose it themselves rather than trust
// whatever environment they were started in. Must come before the first OpenAL call.
void chooseOutput(const char* drivers) {
    ASSERT_EQ(setenv("ALSOFT_DRIVERS", drivers, 1), 0);
}

// Every test case runs in a process of its own, so this is the manager's first start.
WubManager* startManager(LogCapture& log) {
    chooseOutput("null");
    WubManager* manager = WubManager::instance();
    EXPECT_EQ(log.text(), kReadyLine);
    log.clear();
    return manager;
}

}  // namespace

TEST(WubManagerWithoutDevice, LogsTheErrorAndGoesOnWithoutSources) {
    // No output driver by that name: opening the default device fails, as on a machine without sound.
    chooseOutput("no-such-output");
    ScopedTempDir dir;
    soundtest::writeTone("sounds/jump.wav", 1000);
    LogCapture log;
    WubManager* manager = WubManager::instance();
    EXPECT_EQ(log.text(), kErrorLine);
    EXPECT_EQ(manager->engine, nullptr);
    EXPECT_FLOAT_EQ(manager->defaultVolume, 0.05f);
    EXPECT_EQ(WubManager::instance(), manager);

    log.clear();
    EXPECT_EQ(manager->requestSoundSource("sounds/jump.wav"), nullptr);
    EXPECT_EQ(log.text(), requestLine("sounds/jump.wav"));  // left open: no outcome
    EXPECT_EQ(manager->requestSoundSource("sounds/jump.wav"), nullptr);
    EXPECT_EQ(log.text(), requestLine("sounds/jump.wav") + requestLine("sounds/jump.wav"));
    EXPECT_TRUE(manager->sources.empty());
}

TEST(WubManager, StartsTheEngineOnTheNullOutputWithItsDefaults) {
    chooseOutput("null");
    LogCapture log;
    WubManager* manager = WubManager::instance();
    EXPECT_EQ(log.text(), kReadyLine);
    EXPECT_NE(manager->engine, nullptr);
    EXPECT_FLOAT_EQ(manager->defaultVolume, 0.05f);
    EXPECT_TRUE(manager->sources.empty());
    log.clear();
    EXPECT_EQ(WubManager::instance(), manager);
    EXPECT_EQ(log.text(), "");
}

TEST(WubManager, NewSourceGetsTheDefaultsAndIsCached) {
    ScopedTempDir dir;
    soundtest::writeTone("sounds/jump.wav", 1000);
    LogCapture log;
    WubManager* manager = startManager(log);

    ISoundSource* jump = manager->requestSoundSource("sounds/jump.wav");
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(log.text(), requestLine("sounds/jump.wav") + "successfully loaded.\n");
    EXPECT_FLOAT_EQ(jump->getDefaultVolume(), 0.05f);
    EXPECT_FLOAT_EQ(jump->getDefaultMinDistance(), 2.0f);
    ASSERT_EQ(manager->sources.size(), 1u);
    EXPECT_EQ(manager->sources.at("sounds/jump.wav"), jump);

    // The user's own volume stays: a cached source is handed out untouched.
    jump->setDefaultVolume(0.5f);
    jump->setDefaultMinDistance(3.0f);
    log.clear();
    EXPECT_EQ(manager->requestSoundSource("sounds/jump.wav"), jump);
    EXPECT_EQ(log.text(), requestLine("sounds/jump.wav") + "SoundSource already loaded.\n");
    EXPECT_FLOAT_EQ(jump->getDefaultVolume(), 0.5f);
    EXPECT_FLOAT_EQ(jump->getDefaultMinDistance(), 3.0f);
    EXPECT_EQ(manager->sources.size(), 1u);
}

TEST(WubManager, NamesAreExactKeys) {
    ScopedTempDir dir;
    soundtest::writeTone("sounds/a.wav", 1000);
    soundtest::writeTone("sounds/A.wav", 1000);
    LogCapture log;
    WubManager* manager = startManager(log);

    ISoundSource* lower = manager->requestSoundSource("sounds/a.wav");
    ISoundSource* upper = manager->requestSoundSource("sounds/A.wav");
    ASSERT_NE(lower, nullptr);
    ASSERT_NE(upper, nullptr);
    EXPECT_NE(lower, upper);
    EXPECT_EQ(log.text(), requestLine("sounds/a.wav") + "successfully loaded.\n" + requestLine("sounds/A.wav") +
                              "successfully loaded.\n");

    // Same file by another spelling of its path: a key of its own, asked of the engine again.
    log.clear();
    ISoundSource* dotted = manager->requestSoundSource("./sounds/a.wav");
    ASSERT_NE(dotted, nullptr);
    EXPECT_NE(dotted, lower);
    EXPECT_EQ(log.text(), requestLine("./sounds/a.wav") + "successfully loaded.\n");
    EXPECT_EQ(manager->sources.size(), 3u);
}

TEST(WubManager, FailedRequestLeavesTheLineOpenAndAsksAgainLater) {
    ScopedTempDir dir;
    LogCapture log;
    WubManager* manager = startManager(log);

    EXPECT_EQ(manager->requestSoundSource("sounds/late.wav"), nullptr);
    std::cout << "next line\n";
    EXPECT_EQ(log.text(), requestLine("sounds/late.wav") + "next line\n");
    EXPECT_TRUE(manager->sources.empty());

    soundtest::writeTone("sounds/late.wav", 1000);
    log.clear();
    EXPECT_NE(manager->requestSoundSource("sounds/late.wav"), nullptr);
    EXPECT_EQ(log.text(), requestLine("sounds/late.wav") + "successfully loaded.\n");
}

TEST(WubManager, BadFilesGiveNullSources) {
    ScopedTempDir dir;
    soundtest::writeSound("sounds/header.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, {});
    testsupport::writeFile("sounds/empty.wav", "");
    testsupport::writeFile("sounds/text.wav", "hello\n");
    testsupport::writeFile("sounds/folder.wav/inside", "x");
    LogCapture log;
    WubManager* manager = startManager(log);
    std::string expected;
    for (const char* name : {"sounds/header.wav", "sounds/empty.wav", "sounds/text.wav", "sounds/folder.wav"}) {
        EXPECT_EQ(manager->requestSoundSource(name), nullptr) << name;
        expected += requestLine(name);
    }
    EXPECT_EQ(log.text(), expected);
    EXPECT_TRUE(manager->sources.empty());
}

// The settings switch "apple sfx" off sets defaultVolume to 0 before the sounds are requested.
class WubManagerMixTest : public ::testing::Test {
protected:
    void SetUp() override {
        LogCapture log;
        manager = startManager(log);
        ASSERT_NE(manager->engine, nullptr);
        mixer = std::make_unique<LoopbackMixer>();
        ASSERT_NE(mixer->engine(), nullptr);
        // Listen to the manager's plays: its engine becomes one whose mix can be measured.
        manager->engine->drop();
        manager->engine = mixer->release();
        manager->engine->setListenerPosition(vec3df(0, 0, 0), vec3df(0, 0, 1));
        soundtest::writeTone("sounds/trap.wav", soundtest::kRate);
        soundtest::writeTone("sounds/jump.wav", soundtest::kRate);
    }
    void TearDown() override {
        if (manager && manager->engine) manager->engine->stopAllSounds();
    }

    // What the trap loop and a jump at the listener sound like, each alone.
    void measure(double& trapLevel, double& jumpLevel) {
        ISoundSource* trap = manager->requestSoundSource("sounds/trap.wav");
        ISoundSource* jump = manager->requestSoundSource("sounds/jump.wav");
        ASSERT_NE(trap, nullptr);
        ASSERT_NE(jump, nullptr);
        jump->setDefaultVolume(0.5f);  // as the jump's user does
        manager->engine->play3D(trap, vec3df(0.5f, 0, 0), true);
        LoopbackMixer::Levels t = mixer->render(kBlock);
        trapLevel = t.left + t.right;
        manager->engine->stopAllSounds();
        mixer->render(kBlock);
        manager->engine->play3D(jump, vec3df(0.5f, 0, 0));
        LoopbackMixer::Levels j = mixer->render(kBlock);
        jumpLevel = j.left + j.right;
    }

    static constexpr int kBlock = soundtest::kRate / 10;
    ScopedTempDir dir;
    std::unique_ptr<LoopbackMixer> mixer;  // opened after the manager chose its output
    WubManager* manager = nullptr;
};

TEST_F(WubManagerMixTest, WithSoundEffectsOnTheTrapLoopIsAudible) {
    double trap = 0, jump = 0;
    measure(trap, jump);
    EXPECT_GT(trap, 1e-3);
    EXPECT_GT(jump, trap);  // 0.5 against the default 0.05
}

TEST_F(WubManagerMixTest, WithSoundEffectsOffSilencesOnlyTheSourcesKeepingTheDefault) {
    manager->defaultVolume = 0.0f;
    double trap = 0, jump = 0;
    measure(trap, jump);
    EXPECT_LT(trap, 1e-5);
    EXPECT_GT(jump, 1e-2);
}
