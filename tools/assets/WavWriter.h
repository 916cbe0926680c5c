#pragma once
#include <string>
#include <vector>

// Sample rate of every sound the game ships.
constexpr int kSampleRate = 22050;

// Writes samples in [-1, 1] (clipped) as a 16-bit PCM mono RIFF/WAVE file at kSampleRate.
// Returns false when the file cannot be written.
bool writeWav(const std::string& path, const std::vector<double>& samples);
