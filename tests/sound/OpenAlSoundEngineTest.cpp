#include "sound/OpenAlSoundEngine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "LoopbackMixer.h"
#include "TestSound.h"
#include "support/TestFiles.h"

using irrklang::ISoundSource;
using irrklang::vec3df;
using soundtest::kRate;
using soundtest::LoopbackMixer;

namespace {

constexpr int kBlock = kRate / 10;  // frames measured at a time
constexpr double kAudible = 0.01;   // RMS; a full-volume tone of amplitude 0.5 gives far more
constexpr double kSilent = 1e-5;
constexpr double kSameLevel = 0.02;  // relative difference allowed between levels meant to be equal

void listenAt(irrklang::ISoundEngine* engine, vec3df position) {
    engine->setListenerPosition(position, vec3df(0, 0, 1), vec3df(0, 0, 0), vec3df(0, 1, 0));
}

double loudness(const LoopbackMixer::Levels& levels) {
    return levels.left + levels.right;
}

bool silent(const LoopbackMixer::Levels& levels) {
    return levels.left < kSilent && levels.right < kSilent;
}

}  // namespace

class OpenAlSoundEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(engine, nullptr) << "no loopback device";
        listenAt(engine, vec3df(0, 0, 0));
    }

    // A tone file loaded into `on`, with the given default volume.
    ISoundSource* tone(const std::string& name, int frames = kRate, float volume = 1.0f,
                       OpenAlSoundEngine* on = nullptr) {
        soundtest::writeTone(name, frames);
        ISoundSource* source = (on ? on : engine)->addSoundSourceFromFile(name.c_str());
        EXPECT_NE(source, nullptr) << name;
        if (source) source->setDefaultVolume(volume);
        return source;
    }

    // Level of one positioned play of `source`, alone in the mix.
    LoopbackMixer::Levels levelAt(ISoundSource* source, vec3df position) {
        engine->stopAllSounds();
        mixer.render(kBlock);
        engine->play3D(source, position);
        return mixer.render(kBlock);
    }

    testsupport::ScopedTempDir dir;
    LoopbackMixer mixer;
    OpenAlSoundEngine* engine = mixer.engine();
};

TEST_F(OpenAlSoundEngineTest, SoundAtTheListenerIsAudibleOnBothSides) {
    ISoundSource* source = tone("a.wav");
    EXPECT_TRUE(silent(mixer.render(kBlock)));
    EXPECT_EQ(engine->play3D(source, vec3df(0, 0, 0)), nullptr);
    LoopbackMixer::Levels levels = mixer.render(kBlock);
    EXPECT_GT(levels.left, kAudible);
    EXPECT_NEAR(levels.left, levels.right, levels.left * kSameLevel);
}

TEST_F(OpenAlSoundEngineTest, DefaultVolumeScalesEveryLaterPlay) {
    ISoundSource* mute = tone("mute.wav", kRate, 0.0f);
    ISoundSource* half = tone("half.wav", kRate, 0.5f);
    ISoundSource* full = tone("full.wav", kRate, 1.0f);
    EXPECT_FLOAT_EQ(half->getDefaultVolume(), 0.5f);

    EXPECT_TRUE(silent(levelAt(mute, vec3df(0, 0, 0))));
    const double halfLevel = loudness(levelAt(half, vec3df(0, 0, 0)));
    const double fullLevel = loudness(levelAt(full, vec3df(0, 0, 0)));
    EXPECT_GT(halfLevel, kAudible);
    EXPECT_NEAR(halfLevel, fullLevel / 2, fullLevel * kSameLevel);
}

TEST_F(OpenAlSoundEngineTest, VolumesOutsideTheRangeAreClamped) {
    ISoundSource* source = tone("a.wav");
    source->setDefaultVolume(-1.0f);
    EXPECT_FLOAT_EQ(source->getDefaultVolume(), 0.0f);
    EXPECT_TRUE(silent(levelAt(source, vec3df(0, 0, 0))));
    source->setDefaultVolume(7.0f);
    EXPECT_FLOAT_EQ(source->getDefaultVolume(), 1.0f);
    source->setDefaultMinDistance(-2.0f);
    EXPECT_FLOAT_EQ(source->getDefaultMinDistance(), 1.0f);
}

TEST_F(OpenAlSoundEngineTest, GreaterXComesOutOfTheRightChannel) {
    ISoundSource* source = tone("a.wav");
    LoopbackMixer::Levels right = levelAt(source, vec3df(3, 0, 0));
    EXPECT_GT(right.right, kAudible);
    EXPECT_LT(right.left, right.right * 0.1);

    LoopbackMixer::Levels left = levelAt(source, vec3df(-3, 0, 0));
    EXPECT_GT(left.left, kAudible);
    EXPECT_LT(left.right, left.left * 0.1);
}

TEST_F(OpenAlSoundEngineTest, SidesAreTakenFromTheListenersPlace) {
    ISoundSource* source = tone("a.wav");
    listenAt(engine, vec3df(10, 4, 0));
    LoopbackMixer::Levels beyond = levelAt(source, vec3df(11.5f, 4, 0));
    EXPECT_LT(beyond.left, beyond.right * 0.1);
    LoopbackMixer::Levels before = levelAt(source, vec3df(8.5f, 4, 0));
    EXPECT_LT(before.right, before.left * 0.1);
    // Straight ahead along the look direction: centred.
    LoopbackMixer::Levels ahead = levelAt(source, vec3df(10, 4, 1.5f));
    EXPECT_NEAR(ahead.left, ahead.right, ahead.left * kSameLevel);
}

TEST_F(OpenAlSoundEngineTest, FullVolumeWithinTheMinimumDistanceFadingBeyond) {
    ISoundSource* source = tone("a.wav");
    source->setDefaultMinDistance(2.0f);
    const double near = loudness(levelAt(source, vec3df(0, 0, 1.0f)));
    const double edge = loudness(levelAt(source, vec3df(0, 0, 1.9f)));
    const double far = loudness(levelAt(source, vec3df(0, 0, 8.0f)));
    EXPECT_GT(near, kAudible);
    EXPECT_NEAR(edge, near, near * kSameLevel);
    EXPECT_NEAR(far, near * 2.0 / 8.0, near * kSameLevel);  // minimum distance over distance
}

TEST_F(OpenAlSoundEngineTest, LoopedPlayKeepsSoundingUntilStopAllSounds) {
    ISoundSource* shortTone = tone("short.wav", kBlock / 2);
    engine->play3D(shortTone, vec3df(0, 0, 0), true);
    for (int block = 0; block < 10; ++block) EXPECT_GT(loudness(mixer.render(kBlock)), kAudible) << block;
    engine->stopAllSounds();
    mixer.render(kBlock);
    EXPECT_TRUE(silent(mixer.render(kBlock)));
}

TEST_F(OpenAlSoundEngineTest, PausedSoundsFallSilentAndGoOnFromWhereTheyWere) {
    ISoundSource* loop = tone("loop.wav", kBlock / 2);
    engine->play2D(loop, true);
    mixer.render(kBlock);
    engine->setAllSoundsPaused(true);
    mixer.render(kBlock);
    EXPECT_TRUE(silent(mixer.render(kBlock)));
    engine->setAllSoundsPaused(false);
    EXPECT_GT(loudness(mixer.render(kBlock)), kAudible);
    EXPECT_GT(loudness(mixer.render(kBlock)), kAudible) << "still looping";
    engine->stopAllSounds();
    mixer.render(kBlock);

    // A one-shot resumes, not restarts: half a block was left when it was held.
    ISoundSource* once = tone("once.wav", kBlock * 3 / 2);
    engine->play2D(once);
    mixer.render(kBlock);
    engine->setAllSoundsPaused(true);
    mixer.render(kBlock);
    engine->setAllSoundsPaused(false);
    EXPECT_GT(loudness(mixer.render(kBlock / 4)), kAudible);
    mixer.render(kBlock / 2);
    EXPECT_TRUE(silent(mixer.render(kBlock)));
}

TEST_F(OpenAlSoundEngineTest, PlainPlayEndsWithItsFile) {
    ISoundSource* shortTone = tone("short.wav", kBlock / 2);
    engine->play3D(shortTone, vec3df(0, 0, 0));
    EXPECT_GT(loudness(mixer.render(kBlock)), kAudible);
    EXPECT_TRUE(silent(mixer.render(kBlock)));
}

TEST_F(OpenAlSoundEngineTest, TwoDimensionalPlayIsNotPositioned) {
    ISoundSource* source = tone("a.wav");
    listenAt(engine, vec3df(100, 50, 0));
    const double atListener = loudness(levelAt(source, vec3df(100, 50, 0)));
    const double farAway = loudness(levelAt(source, vec3df(0, 0, 0)));
    EXPECT_LT(farAway, atListener * 0.1);

    engine->stopAllSounds();
    mixer.render(kBlock);
    engine->play2D(source);
    LoopbackMixer::Levels flat = mixer.render(kBlock);
    EXPECT_NEAR(loudness(flat), atListener, atListener * kSameLevel);
    EXPECT_NEAR(flat.left, flat.right, flat.left * kSameLevel);
}

TEST_F(OpenAlSoundEngineTest, OneSourceSoundsSeveralTimesAtOnce) {
    ISoundSource* source = tone("a.wav");
    engine->play2D(source);
    const double once = loudness(mixer.render(kBlock));
    engine->stopAllSounds();
    mixer.render(kBlock);
    engine->play2D(source);
    engine->play2D(source);
    EXPECT_NEAR(loudness(mixer.render(kBlock)), 2 * once, once * kSameLevel);
}

TEST_F(OpenAlSoundEngineTest, NullSourceAndPausedStartsPlayNothing) {
    ISoundSource* source = tone("a.wav");
    EXPECT_EQ(engine->play2D(nullptr), nullptr);
    EXPECT_EQ(engine->play3D(nullptr, vec3df(0, 0, 0), true), nullptr);
    EXPECT_EQ(engine->play2D(source, false, true), nullptr);
    EXPECT_TRUE(silent(mixer.render(kBlock)));
}

TEST_F(OpenAlSoundEngineTest, ExhaustedPoolReusesTheOldestNonLoopingVoice) {
    LoopbackMixer small(2);
    OpenAlSoundEngine* two = small.engine();
    ASSERT_NE(two, nullptr);
    ASSERT_EQ(two->voiceCount(), 2);
    listenAt(two, vec3df(0, 0, 0));
    ISoundSource* loop = tone("loop.wav", kBlock / 2, 1.0f, two);
    ISoundSource* loud = tone("loud.wav", kRate, 1.0f, two);
    ISoundSource* mute = tone("mute.wav", kRate, 0.0f, two);

    two->play3D(loop, vec3df(-3, 0, 0), true);
    two->play3D(loud, vec3df(3, 0, 0));
    LoopbackMixer::Levels both = small.render(kBlock);
    EXPECT_GT(both.left, kAudible);
    EXPECT_GT(both.right, kAudible);

    // The mute play takes the loud one's voice: the right falls silent, the loop on the left goes on.
    two->play3D(mute, vec3df(3, 0, 0));
    small.render(kBlock);
    LoopbackMixer::Levels after = small.render(kBlock);
    EXPECT_NEAR(after.left, both.left, both.left * kSameLevel);
    EXPECT_LT(after.right, both.right * 0.1);
}

TEST_F(OpenAlSoundEngineTest, PlayIsSkippedWhenEveryVoiceLoops) {
    LoopbackMixer small(2);
    OpenAlSoundEngine* two = small.engine();
    ASSERT_NE(two, nullptr);
    listenAt(two, vec3df(0, 0, 0));
    ISoundSource* loop = tone("loop.wav", kBlock / 2, 1.0f, two);
    ISoundSource* other = tone("other.wav", kRate, 1.0f, two);
    two->play3D(loop, vec3df(-3, 0, 0), true);
    two->play3D(loop, vec3df(3, 0, 0), true);
    LoopbackMixer::Levels loops = small.render(kBlock);

    two->play3D(other, vec3df(0, 0, 0));
    LoopbackMixer::Levels still = small.render(kBlock);
    EXPECT_NEAR(still.left, loops.left, loops.left * kSameLevel);
    EXPECT_NEAR(still.right, loops.right, loops.right * kSameLevel);

    // Once stopped, the voices serve again.
    two->stopAllSounds();
    two->play2D(other);
    EXPECT_GT(loudness(small.render(kBlock)), kAudible);
}

TEST_F(OpenAlSoundEngineTest, StereoAndMultiChannelFilesArePositionedLikeMono) {
    const std::vector<float> mono = soundtest::tone(kRate);
    std::vector<float> stereo, quad;
    for (float s : mono) {
        stereo.insert(stereo.end(), {s, s});
        quad.insert(quad.end(), {s, s, s, s});
    }
    soundtest::writeSound("stereo.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, stereo);
    soundtest::writeSound("quad.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 4, quad);
    for (const char* name : {"stereo.wav", "quad.wav"}) {
        SCOPED_TRACE(name);
        ISoundSource* source = engine->addSoundSourceFromFile(name);
        ASSERT_NE(source, nullptr);
        LoopbackMixer::Levels right = levelAt(source, vec3df(3, 0, 0));
        EXPECT_GT(right.right, kAudible);
        EXPECT_LT(right.left, right.right * 0.1);
        EXPECT_LT(loudness(levelAt(source, vec3df(0, 0, 40))), loudness(right) * 0.1);
    }
}

TEST_F(OpenAlSoundEngineTest, FilesWithoutSoundGiveNoSource) {
    soundtest::writeSound("header-only.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, {});
    testsupport::writeFile("empty.wav", "");
    testsupport::writeFile("notes.wav", "RIFF? no, just text\n");
    mkdir("folder.wav", 0755);
    for (const char* name : {"missing.wav", "empty.wav", "header-only.wav", "notes.wav", "folder.wav"}) {
        EXPECT_EQ(engine->addSoundSourceFromFile(name), nullptr) << name;
    }
    EXPECT_EQ(engine->addSoundSourceFromFile(nullptr), nullptr);
    EXPECT_TRUE(silent(mixer.render(kBlock)));
}

TEST_F(OpenAlSoundEngineTest, TruncatedFilePlaysTheFramesItHolds) {
    soundtest::writeTone("whole.wav", kRate);
    const std::string whole = testsupport::readFile("whole.wav");
    const int heldFrames = kBlock * 5 / 2;
    testsupport::writeFile("cut.wav", whole.substr(0, 44 + 2 * heldFrames + 1));
    ISoundSource* cut = engine->addSoundSourceFromFile("cut.wav");
    ASSERT_NE(cut, nullptr);
    engine->play2D(cut);
    EXPECT_GT(loudness(mixer.render(kBlock)), kAudible);
    EXPECT_GT(loudness(mixer.render(kBlock)), kAudible);
    mixer.render(kBlock);
    EXPECT_TRUE(silent(mixer.render(kBlock)));
}

TEST_F(OpenAlSoundEngineTest, DroppingASourceNeverFreesIt) {
    ISoundSource* source = tone("a.wav");
    source->grab();
    EXPECT_FALSE(source->drop());
    // A drop without a grab, as an old caller might do: the engine keeps the source.
    EXPECT_FALSE(source->drop());
    EXPECT_FALSE(source->drop());
    EXPECT_FLOAT_EQ(source->getDefaultVolume(), 1.0f);
    engine->play2D(source);
    EXPECT_GT(loudness(mixer.render(kBlock)), kAudible);
}

TEST_F(OpenAlSoundEngineTest, EngineLivesUntilItsLastReferenceIsDropped) {
    ISoundSource* source = tone("a.wav");
    engine->grab();
    EXPECT_FALSE(engine->drop());
    engine->play2D(source, true);
    EXPECT_GT(loudness(mixer.render(kBlock)), kAudible);
    // The mixer's own drop at the end deletes the engine with a loop still playing.
}
