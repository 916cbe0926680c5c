#pragma once
#include <cstdint>

// A box or a size in pixels: left edge, top edge, width, height. Copied by value everywhere.
struct Bounds {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
};

inline bool operator==(Bounds a, Bounds b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

inline bool operator!=(Bounds a, Bounds b) {
    return !(a == b);
}
