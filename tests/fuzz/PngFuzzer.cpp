// Feeds arbitrary bytes through the sprite decoder exactly as the texture loader reads a file:
// sequentially from a FILE*, header first, then every row into a buffer of the size it asks for;
// then through the texture manager itself, from a file, for its own refusals. Without a GL
// context the upload gives no texture, so nothing is kept between inputs.
#include <unistd.h>
#include <cstddef>
#include <cstdint>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <string>

#include "graphics/PngDecoder.h"
#include "graphics/TextureManager.h"

namespace {

// One file per process, out of the way of whatever folder the fuzzer runs in.
const std::string& pictureFile() {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("vantorel-fuzz-" + std::to_string(getpid()) + ".png")).string();
    return path;
}

void decodeFromMemory(const uint8_t* data, size_t size) {
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr) {
        return;
    }
    {
        PngDecoder decoder(file, PngDecoder::kMaxSide, "input");
        if (decoder.readHeader()) {
            std::unique_ptr<unsigned char[]> pixels(new (std::nothrow) unsigned char[decoder.imageBytes()]);
            if (pixels) {
                decoder.readImage(pixels.get());
            }
        }
    }
    std::fclose(file);
}

void loadAsTexture(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(pictureFile().c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) == 0 && written) {
        TextureManager::instance()->getTexture(pictureFile());
    }
    std::remove(pictureFile().c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // The texture manager's log lines would drown the fuzzer's own.
    static const bool quiet = (std::cout.setstate(std::ios::badbit), true);
    (void)quiet;
    decodeFromMemory(data, size);
    loadAsTexture(data, size);
    return 0;
}
