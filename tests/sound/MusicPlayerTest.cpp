#include "sound/MusicPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "LoopbackMixer.h"
#include "TestSound.h"
#include "sound/WavDecoder.h"
#include "support/TestFiles.h"

using soundtest::kRate;
using soundtest::LoopbackMixer;

namespace {

constexpr int kBlock = kRate / 10;
constexpr double kAudible = 0.005;  // RMS
constexpr double kSilent = 1e-5;

bool silent(const LoopbackMixer::Levels& levels) {
    return levels.left < kSilent && levels.right < kSilent;
}

double largestStep(const std::vector<float>& stereo, size_t firstFrame, size_t lastFrame) {
    double largest = 0.0;
    for (size_t f = firstFrame; f + 1 < lastFrame; ++f) {
        largest = std::max(largest, static_cast<double>(std::fabs(stereo[2 * f + 2] - stereo[2 * f])));
    }
    return largest;
}

}  // namespace

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(mixer.engine(), nullptr) << "no loopback device"; }

    testsupport::ScopedTempDir dir;
    LoopbackMixer mixer;
    MusicPlayer player{mixer.engine()};
    const std::string title = testsupport::sourceDir() + "/sounds/music_title.ogg";
};

// The shipped title track played through to its end carries on from its start with no step
// larger than the music itself makes around the join.
TEST_F(MusicPlayerTest, TrackLoopsWithoutAClickAtTheSeam) {
    DecodedSound track;
    std::string error;
    ASSERT_TRUE(WavDecoder::decode(title, track, error)) << error;
    const int loopFrames = static_cast<int>(track.samples.size()) * (kRate / track.sampleRate);
    constexpr int kAround = 2048;  // frames rendered each side of the join

    player.play(title);
    EXPECT_EQ(player.current(), title);
    for (int left = loopFrames - kAround; left > 0; left -= std::min(left, kRate)) {
        mixer.renderFrames(std::min(left, kRate));
    }
    const std::vector<float> join = mixer.renderFrames(2 * kAround);
    const size_t seam = kAround;
    const double atSeam = largestStep(join, seam - 16, seam + 16);
    const double elsewhere = std::max(largestStep(join, 0, seam - 16), largestStep(join, seam + 16, 2 * kAround));
    EXPECT_GT(elsewhere, 0.0);
    EXPECT_LE(atSeam, elsewhere * 1.5) << "a click where the track loops";
    EXPECT_GT(mixer.render(kBlock).left, kAudible) << "the track stopped at its end";
}

TEST_F(MusicPlayerTest, PlaysWellBelowAnEffectAndPausesWhereItIs) {
    irrklang::ISoundSource* effect = mixer.engine()->addSoundSourceFromFile(title.c_str());
    ASSERT_NE(effect, nullptr);
    effect->setDefaultVolume(1.0f);  // the file at its own level
    mixer.engine()->play2D(effect);
    const double effectLevel = mixer.render(kBlock).left;
    mixer.engine()->stopAllSounds();

    player.play(title);
    const double musicLevel = mixer.render(kBlock).left;
    EXPECT_GT(musicLevel, kAudible);
    EXPECT_LT(musicLevel, effectLevel * 0.75);

    player.pause();
    EXPECT_TRUE(silent(mixer.render(kBlock)));
    player.resume();
    EXPECT_GT(mixer.render(kBlock).left, kAudible);
    // Stopping all effects is not the music's business; stop() is.
    mixer.engine()->stopAllSounds();
    EXPECT_GT(mixer.render(kBlock).left, kAudible);
    player.stop();
    player.resume();
    EXPECT_TRUE(silent(mixer.render(kBlock)));
    EXPECT_EQ(player.current(), "");
}

TEST_F(MusicPlayerTest, SwitchedOffItStaysSilent) {
    player.play(title);
    EXPECT_GT(mixer.render(kBlock).left, kAudible);
    player.setEnabled(false);
    EXPECT_TRUE(silent(mixer.render(kBlock)));
    player.play(title);
    EXPECT_TRUE(silent(mixer.render(kBlock)));
    EXPECT_EQ(player.current(), "");
}

TEST_F(MusicPlayerTest, TrackThatCannotBePlayedLogsOneLineAndLeavesSilence) {
    testsupport::writeFile("sounds/broken.ogg", "OggS and nothing more");
    testsupport::LogCapture log;
    player.play("sounds/missing.ogg");
    player.play("sounds/broken.ogg");
    EXPECT_EQ(log.text(),
              "[MUSIC] ERROR: cannot play sounds/missing.ogg\n"
              "[MUSIC] ERROR: cannot play sounds/broken.ogg\n");
    EXPECT_TRUE(silent(mixer.render(kBlock)));
    soundtest::writeTone("sounds/tone.wav", kRate);
    player.play("sounds/tone.wav");
    EXPECT_GT(mixer.render(kBlock).left, kAudible);
}

// Tracks kept decoded from earlier plays and tracks decoded again after being let go must each
// play their own samples: three tones of different loudness, played in turn and back.
TEST_F(MusicPlayerTest, SwitchingTracksPlaysEachOwnSamples) {
    const double amplitudes[] = {0.1, 0.3, 0.6};
    for (int i = 0; i < 3; ++i) {
        soundtest::writeSound("sounds/t" + std::to_string(i) + ".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1,
                              soundtest::tone(kRate, amplitudes[i]));
    }
    player.play("sounds/t0.wav");
    const double quietest = mixer.render(kBlock).left;
    ASSERT_GT(quietest, kAudible);
    for (int i : {1, 2, 0, 2, 1, 0}) {
        player.play("sounds/t" + std::to_string(i) + ".wav");
        EXPECT_NEAR(mixer.render(kBlock).left / quietest, amplitudes[i] / amplitudes[0], 0.05) << "track " << i;
    }
}

TEST(MusicPlayerWithoutEngineTest, PlaysNothingAndSaysNothing) {
    testsupport::LogCapture log;
    MusicPlayer player(nullptr);
    player.play("sounds/missing.ogg");
    player.pause();
    player.resume();
    player.stop();
    EXPECT_EQ(log.text(), "");
}

namespace {

double decibels(double level) {
    return 20.0 * std::log10(std::max(level, 1e-9));
}

double rmsOf(const std::vector<float>& samples) {
    double sum = 0.0;
    for (float s : samples) {
        sum += static_cast<double>(s) * s;
    }
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

}  // namespace

// Every shipped track at the default level, against the jump as the player plays it (volume 0.5).
TEST_F(MusicPlayerTest, TracksSitTenToFourteenDecibelsBelowTheJumpsPeak) {
    irrklang::ISoundSource* jump =
        mixer.engine()->addSoundSourceFromFile((testsupport::sourceDir() + "/sounds/jump.wav").c_str());
    ASSERT_NE(jump, nullptr);
    jump->setDefaultVolume(0.5f);
    mixer.engine()->play2D(jump);
    double peak = 0.0;
    for (float s : mixer.renderFrames(kRate)) {
        peak = std::max(peak, static_cast<double>(std::fabs(s)));
    }
    ASSERT_GT(peak, 0.0);
    for (const char* name : {"title", "meadow", "caves", "dusk", "frost"}) {
        const std::string track = testsupport::sourceDir() + "/sounds/music_" + name + ".ogg";
        player.play(track);
        const double below = decibels(peak) - decibels(rmsOf(mixer.renderFrames(8 * kRate)));
        EXPECT_GE(below, 10.0) << name;
        EXPECT_LE(below, 14.0) << name;
        // "music volume=50": the same bars 6 dB down.
        player.setVolumePercent(50);
        player.play(track);
        const double half = decibels(peak) - decibels(rmsOf(mixer.renderFrames(8 * kRate)));
        EXPECT_NEAR(half - below, 6.0, 0.2) << name;
        player.setVolumePercent(100);
    }
}

// Fading in tick by tick, the track starts with no step larger than its own.
TEST_F(MusicPlayerTest, ALevelsTrackFadesInWithoutAClick) {
    const int tickFrames = kRate * 16 / 1000;
    const std::string meadow = testsupport::sourceDir() + "/sounds/music_meadow.ogg";
    player.fadeIn(meadow);
    std::vector<float> start;
    for (int tick = 0; tick < 20; ++tick) {
        const std::vector<float> block = mixer.renderFrames(tickFrames);
        start.insert(start.end(), block.begin(), block.end());
        player.advanceFade(16);
    }
    const std::vector<float> later = mixer.renderFrames(kRate);
    const size_t startFrames = start.size() / 2;
    EXPECT_LE(largestStep(start, 0, startFrames), largestStep(later, 0, later.size() / 2));
    const std::vector<float> firstTick(start.begin(), start.begin() + 2 * tickFrames);
    EXPECT_LT(rmsOf(firstTick), rmsOf(later) / 4) << "the first tick is near silence";

    // Played at once, the same track starts at its full level.
    player.play(meadow);
    EXPECT_GT(rmsOf(mixer.renderFrames(tickFrames * 4)), rmsOf(firstTick) * 2);
}
