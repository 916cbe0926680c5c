// Feeds arbitrary bytes through the sprite decoder exactly as the texture loader reads a file:
// sequentially from a FILE*, header first, then every row into a buffer of the size it asks for.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

#include "graphics/PngDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr) {
        return 0;
    }
    {
        PngDecoder decoder(file, PngDecoder::kMaxSide);
        if (decoder.readHeader()) {
            std::unique_ptr<unsigned char[]> pixels(new (std::nothrow) unsigned char[decoder.imageBytes()]);
            if (pixels) {
                decoder.readImage(pixels.get());
            }
        }
    }
    std::fclose(file);
    return 0;
}
