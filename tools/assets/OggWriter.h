#pragma once
#include <string>
#include <vector>

// Writes samples in [-1, 1] (clipped) as a mono Ogg Vorbis file at kSampleRate, at the
// quality the music ships with. Returns false when the file cannot be written. The encoder
// numbers each stream at random, so two writes of the same samples differ in their bytes but
// decode alike.
bool writeOgg(const std::string& path, const std::vector<double>& samples);
