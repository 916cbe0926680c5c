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
    // Longest sound taken, in frames (about 6 minutes at 44.1 kHz), and most samples decoded
    // over all channels: a small compressed file can claim hours of many channels, so a longer
    // header is refused before anything is decoded. A header that understates keeps its start.
    static constexpr int64_t kMaxFrames = int64_t(1) << 24;
    static constexpr int64_t kMaxSamples = int64_t(1) << 26;
    static constexpr int kMinSampleRate = 1;
    static constexpr int kMaxSampleRate = 768000;

    // Fills `out` and returns true when the file yields at least one frame. A truncated file gives
    // the frames it holds; one whose length libsndfile cannot tell is decoded to its end and
    // refused only when it holds more than the limits. False, with the reason in `error`, for a missing file, a
    // directory, a FIFO or device, a file that is not audio or holds no frames, one longer than the limits above, or an
    // unusable sample rate.
    static bool decode(const std::string& path, DecodedSound& out, std::string& error);

    // One frame of `channels` float samples down-mixed to mono: the average, clamped to [-1, 1],
    // NaN taken as silence, scaled to 16 bits.
    static int16_t mixFrame(const float* frame, int channels);
};
