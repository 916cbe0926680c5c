#include "sound/WavDecoder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <limits>

#include "TestSound.h"
#include "support/TestFiles.h"

using soundtest::writeSound;
using testsupport::ScopedTempDir;

namespace {

int16_t pcm(double value) {
    return static_cast<int16_t>(std::lround(value * 32767.0));
}

struct Decoded {
    bool ok = false;
    DecodedSound sound;
    std::string error;
};

Decoded decode(const std::string& path) {
    Decoded d;
    d.ok = WavDecoder::decode(path, d.sound, d.error);
    return d;
}

}  // namespace

TEST(WavDecoderMixFrame, AveragesTheChannels) {
    const float stereo[] = {0.5f, 0.1f};
    EXPECT_EQ(WavDecoder::mixFrame(stereo, 2), pcm(0.3));
    const float six[] = {0.6f, 0.0f, 0.0f, 0.0f, 0.0f, -0.6f};
    EXPECT_EQ(WavDecoder::mixFrame(six, 6), 0);
    const float mono[] = {-0.25f};
    EXPECT_EQ(WavDecoder::mixFrame(mono, 1), pcm(-0.25));
}

TEST(WavDecoderMixFrame, ClampsOutOfRangeAndSilencesNaN) {
    const float loud[] = {2.0f};
    const float deep[] = {-3.0f};
    const float inf[] = {std::numeric_limits<float>::infinity()};
    const float nan[] = {std::numeric_limits<float>::quiet_NaN()};
    const float opposedInf[] = {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
    EXPECT_EQ(WavDecoder::mixFrame(loud, 1), 32767);
    EXPECT_EQ(WavDecoder::mixFrame(deep, 1), -32767);
    EXPECT_EQ(WavDecoder::mixFrame(inf, 1), 32767);
    EXPECT_EQ(WavDecoder::mixFrame(nan, 1), 0);
    EXPECT_EQ(WavDecoder::mixFrame(opposedInf, 2), 0);
}

TEST(WavDecoder, DecodesEveryCommonSampleKind) {
    ScopedTempDir dir;
    const std::vector<float> values = {0.0f, 0.5f, -0.5f, 0.25f, -0.75f};
    struct Kind {
        int format;
        int tolerance;  // in 16-bit steps: the file's own resolution
    };
    const Kind kinds[] = {
        {SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 256}, {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1},   {SF_FORMAT_WAV | SF_FORMAT_PCM_32, 1},
        {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1},    {SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 1},
        {SF_FORMAT_WAV | SF_FORMAT_ULAW, 1024},  // logarithmic steps, coarsest at full scale
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.format);
        writeSound("kind.wav", kind.format, 1, values, 22050);
        Decoded d = decode("kind.wav");
        ASSERT_TRUE(d.ok) << d.error;
        EXPECT_EQ(d.sound.sampleRate, 22050);
        ASSERT_EQ(d.sound.samples.size(), values.size());
        for (size_t i = 0; i < values.size(); ++i) EXPECT_NEAR(d.sound.samples[i], pcm(values[i]), kind.tolerance);
    }
}

TEST(WavDecoder, FloatFileWithWildValuesStaysInRange) {
    ScopedTempDir dir;
    const float inf = std::numeric_limits<float>::infinity();
    writeSound("wild.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1,
               {4.0f, -4.0f, std::numeric_limits<float>::quiet_NaN(), inf, -inf});
    Decoded d = decode("wild.wav");
    ASSERT_TRUE(d.ok) << d.error;
    EXPECT_EQ(d.sound.samples, (std::vector<int16_t>{32767, -32767, 0, 32767, -32767}));
}

TEST(WavDecoder, DownMixesStereoAndMoreChannelsToMono) {
    ScopedTempDir dir;
    writeSound("stereo.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, {0.5f, 0.1f, -0.2f, -0.4f});
    Decoded stereo = decode("stereo.wav");
    ASSERT_TRUE(stereo.ok) << stereo.error;
    ASSERT_EQ(stereo.sound.samples.size(), 2u);
    EXPECT_NEAR(stereo.sound.samples[0], pcm(0.3), 1);
    EXPECT_NEAR(stereo.sound.samples[1], pcm(-0.3), 1);

    std::vector<float> sixChannels;
    for (int frame = 0; frame < 3; ++frame) {
        for (int c = 0; c < 6; ++c) sixChannels.push_back(c == 2 ? 0.6f : 0.0f);
    }
    writeSound("six.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 6, sixChannels);
    Decoded six = decode("six.wav");
    ASSERT_TRUE(six.ok) << six.error;
    ASSERT_EQ(six.sound.samples.size(), 3u);
    for (int16_t s : six.sound.samples) EXPECT_NEAR(s, pcm(0.1), 1);
}

TEST(WavDecoder, LongFileIsReadWhole) {
    ScopedTempDir dir;
    // More frames than one read block holds, in several channels.
    const int frames = 50000;
    std::vector<float> samples(frames * 3);
    for (int f = 0; f < frames; ++f) samples[f * 3] = (f % 2 ? 0.3f : -0.3f);
    writeSound("long.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 3, samples);
    Decoded d = decode("long.wav");
    ASSERT_TRUE(d.ok) << d.error;
    ASSERT_EQ(d.sound.samples.size(), size_t(frames));
    EXPECT_NEAR(d.sound.samples[0], pcm(-0.1), 1);
    EXPECT_NEAR(d.sound.samples[frames - 1], pcm(0.1), 1);
}

TEST(WavDecoder, TruncatedFileGivesTheFramesItHolds) {
    ScopedTempDir dir;
    std::vector<float> ramp(1000);
    for (int i = 0; i < 1000; ++i) ramp[i] = i / 2000.0f;
    writeSound("whole.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, ramp);
    const std::string whole = testsupport::readFile("whole.wav");
    ASSERT_EQ(whole.size(), 44u + 2000u);
    // 300 frames and half of the next one.
    testsupport::writeFile("cut.wav", whole.substr(0, 44 + 601));
    Decoded d = decode("cut.wav");
    ASSERT_TRUE(d.ok) << d.error;
    ASSERT_EQ(d.sound.samples.size(), 300u);
    EXPECT_NEAR(d.sound.samples[299], pcm(299 / 2000.0), 1);
}

// libsndfile cannot tell the length of an Ogg stream without its last page.
TEST(WavDecoder, OggCutShortGivesTheSoundItHolds) {
    ScopedTempDir dir;
    writeSound("whole.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 1, soundtest::tone(10 * soundtest::kRate));
    const std::string whole = testsupport::readFile("whole.ogg");
    testsupport::writeFile("cut.ogg", whole.substr(0, whole.size() / 2));
    Decoded d = decode("cut.ogg");
    ASSERT_TRUE(d.ok) << d.error;
    EXPECT_GT(d.sound.samples.size(), size_t(soundtest::kRate));
    EXPECT_LT(d.sound.samples.size(), size_t(10 * soundtest::kRate));
}

TEST(WavDecoder, RefusesFilesThatHoldNoSound) {
    ScopedTempDir dir;
    writeSound("header-only.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, {});
    ASSERT_EQ(testsupport::readFile("header-only.wav").size(), 44u);
    testsupport::writeFile("empty.wav", "");
    testsupport::writeFile("text.wav", "this is not a sound file at all, just some words\n");
    mkdir("folder.wav", 0755);
    ASSERT_EQ(mkfifo("pipe.wav", 0644), 0);  // opening it to read would wait for a writer forever
    const char* bad[] = {"missing.wav", "empty.wav", "header-only.wav", "text.wav",
                         "folder.wav",  "pipe.wav",  "/dev/zero"};
    for (const char* path : bad) {
        SCOPED_TRACE(path);
        Decoded d = decode(path);
        EXPECT_FALSE(d.ok);
        EXPECT_FALSE(d.error.empty());
        EXPECT_TRUE(d.sound.samples.empty());
    }
}

// Silence compresses to almost nothing, so a small file can claim more sound than memory holds:
// the header's length is refused before any sample is decoded.
TEST(WavDecoder, RefusesASoundLongerThanTheLimit) {
    ScopedTempDir dir;
    const std::vector<float> silence(static_cast<size_t>(WavDecoder::kMaxFrames) + 1, 0.0f);
    writeSound("long.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, silence);
    Decoded d = decode("long.flac");
    EXPECT_FALSE(d.ok);
    EXPECT_NE(d.error.find("longer than"), std::string::npos) << d.error;

    writeSound("wide.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8,
               std::vector<float>(static_cast<size_t>(WavDecoder::kMaxSamples / 8 + 1) * 8, 0.0f));
    EXPECT_FALSE(decode("wide.flac").ok);
}
