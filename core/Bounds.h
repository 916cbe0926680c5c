#pragma once
#include <cstdint>

// A box or a size in pixels: left edge, top edge, width, height. Copied by value everywhere.
struct Bounds {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
};
