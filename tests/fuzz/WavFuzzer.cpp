// Feeds arbitrary bytes to the sound decoder through a file, the way the sound layer and the
// level checker read every sound.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "sound/WavDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::writeInput("fuzz.wav", data, size);
    DecodedSound sound;
    std::string error;
    if (WavDecoder::decode("fuzz.wav", sound, error)) {
        fuzzsupport::require(!sound.samples.empty(), "a decoded sound holds samples");
        fuzzsupport::require(static_cast<int64_t>(sound.samples.size()) <= WavDecoder::kMaxFrames,
                             "a decoded sound stays within the frame limit");
        fuzzsupport::require(
            sound.sampleRate >= WavDecoder::kMinSampleRate && sound.sampleRate <= WavDecoder::kMaxSampleRate,
            "a decoded sound has a usable rate");
    } else {
        fuzzsupport::require(!error.empty(), "a refused sound says why");
    }
    return 0;
}
