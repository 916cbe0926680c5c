#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One sound file decoded to mono 16-bit samples, ready for a positioned voice.
struct DecodedSound {
    int sampleRate = 0;
    std::vector<int16_t> samples;
};

// Decodes audio files through libsndfile; knows nothing of the mixer, so it can be tested alone.
class WavDecoder {
public:
    // Longest sound kept, in frames (about 50 minutes at 44.1 kHz); longer files keep their start.
    static constexpr int64_t kMaxFrames = int64_t(1) << 27;
    static constexpr int kMinSampleRate = 1;
    static constexpr int kMaxSampleRate = 768000;

    // Fills `out` and returns true when the file yields at least one frame. A truncated file gives
    // the frames it holds. False, with the reason in `error`, for a missing file, a directory, a
    // file that is not audio or holds no frames, or an unusable sample rate.
    static bool decode(const std::string& path, DecodedSound& out, std::string& error);

    // One frame of `channels` float samples down-mixed to mono: the average, clamped to [-1, 1],
    // NaN taken as silence, scaled to 16 bits.
    static int16_t mixFrame(const float* frame, int channels);
};
