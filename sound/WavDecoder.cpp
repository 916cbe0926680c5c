#include "sound/WavDecoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

#include "core/RegularFile.h"

namespace {

// Floats read per block, whatever the channel count, so a file of many channels stays small in memory.
constexpr int kBlockSamples = 16384;
constexpr float kPcm16Scale = 32767.0f;

class SndFile {
public:
    // Reads from an open file that stays its owner's.
    SndFile(FILE* source, SF_INFO& info) : file(sf_open_fd(fileno(source), SFM_READ, &info, 0)) {}
    ~SndFile() {
        if (file) sf_close(file);
    }
    SndFile(const SndFile&) = delete;
    SndFile& operator=(const SndFile&) = delete;
    SNDFILE* get() const { return file; }

private:
    SNDFILE* file;
};

}  // namespace

int16_t WavDecoder::mixFrame(const float* frame, int channels) {
    double sum = 0.0;
    for (int c = 0; c < channels; ++c) sum += frame[c];
    double mono = channels > 0 ? sum / channels : 0.0;
    if (std::isnan(mono)) mono = 0.0;
    mono = std::clamp(mono, -1.0, 1.0);
    return static_cast<int16_t>(std::lround(mono * kPcm16Scale));
}

bool WavDecoder::decode(const std::string& path, DecodedSound& out, std::string& error) {
    // libsndfile would open a FIFO or device and block on it; only plain files are sounds.
    RegularFile source(path);
    if (source.get() == nullptr) {
        error = source.error();
        return false;
    }
    SF_INFO info{};
    SndFile file(source.get(), info);
    if (!file.get()) {
        error = sf_strerror(nullptr);
        return false;
    }
    if (info.channels < 1 || info.frames <= 0) {
        error = "no frames";
        return false;
    }
    // libsndfile cannot tell the length of a stream cut short (an Ogg file without its last
    // page): such a file is judged by what it holds, not by its header.
    const bool lengthKnown = info.frames != SF_COUNT_MAX;
    const std::string tooLong =
        "longer than " + std::to_string(kMaxFrames) + " frames or " + std::to_string(kMaxSamples) + " samples";
    if (lengthKnown && (info.frames > kMaxFrames || info.frames * info.channels > kMaxSamples)) {
        error = tooLong;
        return false;
    }
    if (info.samplerate < kMinSampleRate || info.samplerate > kMaxSampleRate) {
        error = "unusable sample rate";
        return false;
    }

    const int channels = info.channels;
    const sf_count_t blockFrames = std::max(1, kBlockSamples / channels);
    std::vector<float> block(static_cast<size_t>(blockFrames) * channels);
    DecodedSound sound;
    sound.sampleRate = info.samplerate;
    const int64_t frameLimit = lengthKnown ? kMaxFrames : std::min(kMaxFrames, kMaxSamples / channels);
    for (int64_t held = 0; held < frameLimit; held = static_cast<int64_t>(sound.samples.size())) {
        sf_count_t wanted = std::min<sf_count_t>(blockFrames, frameLimit - held);
        sf_count_t got = sf_readf_float(file.get(), block.data(), wanted);
        if (got <= 0) break;
        for (sf_count_t f = 0; f < got; ++f) sound.samples.push_back(mixFrame(&block[f * channels], channels));
    }
    if (!lengthKnown && static_cast<int64_t>(sound.samples.size()) == frameLimit &&
        sf_readf_float(file.get(), block.data(), 1) > 0) {
        error = tooLong;
        return false;
    }
    if (sound.samples.empty()) {
        error = "no frames";
        return false;
    }
    out = std::move(sound);
    return true;
}
