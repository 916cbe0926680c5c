#include "TestSound.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>

namespace soundtest {

void writeSound(const std::string& path, int format, int channels, const std::vector<float>& interleaved, int rate) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos) mkdir(path.substr(0, slash).c_str(), 0755);
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    const sf_count_t frames = static_cast<sf_count_t>(interleaved.size() / channels);
    EXPECT_EQ(sf_writef_float(file, interleaved.data(), frames), frames);
    sf_close(file);
}

std::vector<float> tone(int frames, double amplitude, double hz) {
    std::vector<float> samples(frames);
    for (int i = 0; i < frames; ++i) samples[i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * i / kRate));
    return samples;
}

void writeTone(const std::string& path, int frames, double amplitude) {
    writeSound(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, tone(frames, amplitude));
}

}  // namespace soundtest
