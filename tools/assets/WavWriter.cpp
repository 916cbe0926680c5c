#include "WavWriter.h"

#include "DetMath.h"

#include <cstdint>
#include <fstream>

namespace {

constexpr int kBitsPerSample = 16;
constexpr int kChannels = 1;
constexpr int kFmtChunkSize = 16;
constexpr int kPcmFormat = 1;

void put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xff));
    out.push_back(static_cast<char>((v >> 8) & 0xff));
}

void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

int16_t toPcm(double s) {
    double scaled = s * 32767.0;
    if (scaled > 32767.0) {
        return 32767;
    }
    if (scaled < -32767.0) {
        return -32767;
    }
    return static_cast<int16_t>(detmath::floor(scaled + 0.5));
}

}  // namespace

bool writeWav(const std::string& path, const std::vector<double>& samples) {
    uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * 2u;
    std::string out;
    out.append("RIFF");
    put32(out, 36u + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    put32(out, kFmtChunkSize);
    put16(out, kPcmFormat);
    put16(out, kChannels);
    put32(out, kSampleRate);
    put32(out, kSampleRate * kChannels * kBitsPerSample / 8);
    put16(out, kChannels * kBitsPerSample / 8);
    put16(out, kBitsPerSample);
    out.append("data");
    put32(out, dataBytes);
    for (double s : samples) {
        put16(out, static_cast<uint16_t>(toPcm(s)));
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
