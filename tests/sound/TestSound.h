#pragma once
#include <sndfile.h>

#include <string>
#include <vector>

namespace soundtest {

constexpr int kRate = 44100;
constexpr double kToneHz = 441.0;  // 100 samples a period at kRate

// Writes interleaved float samples with libsndfile, as `format` (e.g. SF_FORMAT_WAV | SF_FORMAT_PCM_16).
// Creates the parent directory. Fails the calling test when libsndfile refuses.
void writeSound(const std::string& path, int format, int channels, const std::vector<float>& interleaved,
                int rate = kRate);

// A mono sine tone of the given length and amplitude.
std::vector<float> tone(int frames, double amplitude = 0.5, double hz = kToneHz);

// A mono 16-bit WAV tone of the given length.
void writeTone(const std::string& path, int frames, double amplitude = 0.5);

}  // namespace soundtest
