#include "sound/MusicPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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
    effect->setDefaultVolume(0.3f);  // the quieter end of the game's effects
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
