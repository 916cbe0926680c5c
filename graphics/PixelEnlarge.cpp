#include "graphics/PixelEnlarge.h"

#include <cstring>

void enlargeByWhole(const uint32_t* bottomUpRows, int width, int height, int factor, uint8_t* target,
                    size_t targetStride) {
    if (width < 1 || height < 1 || factor < 1) {
        return;
    }
    const size_t rowBytes = static_cast<size_t>(width) * factor * sizeof(uint32_t);
    for (int y = 0; y < height; ++y) {
        const uint32_t* source = bottomUpRows + static_cast<size_t>(height - 1 - y) * width;
        uint8_t* first = target + static_cast<size_t>(y) * factor * targetStride;
        uint32_t* pixels = reinterpret_cast<uint32_t*>(first);
        for (int x = 0; x < width; ++x) {
            for (int copy = 0; copy < factor; ++copy) {
                pixels[static_cast<size_t>(x) * factor + copy] = source[x];
            }
        }
        // The other rows of the square are the same row again.
        for (int copy = 1; copy < factor; ++copy) {
            std::memcpy(first + copy * targetStride, first, rowBytes);
        }
    }
}
