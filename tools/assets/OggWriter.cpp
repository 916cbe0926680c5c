#include "OggWriter.h"

#include "WavWriter.h"

#include <sndfile.h>

namespace {

constexpr double kVorbisQuality = 0.4;  // 0 smallest .. 1 best
constexpr int kBlockFrames = 8192;

}  // namespace

bool writeOgg(const std::string& path, const std::vector<double>& samples) {
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    double quality = kVorbisQuality;
    sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof(quality));
    std::vector<float> block;
    bool written = true;
    for (size_t at = 0; at < samples.size() && written; at += kBlockFrames) {
        block.clear();
        for (size_t i = at; i < samples.size() && i < at + kBlockFrames; ++i) {
            double s = samples[i] > 1.0 ? 1.0 : (samples[i] < -1.0 ? -1.0 : samples[i]);
            block.push_back(static_cast<float>(s));
        }
        written = sf_writef_float(file, block.data(), static_cast<sf_count_t>(block.size())) ==
                  static_cast<sf_count_t>(block.size());
    }
    return sf_close(file) == 0 && written;
}
