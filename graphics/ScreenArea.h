#pragma once
#include <cstdint>

// The part of the drawing plane that the current projection shows, in window units, read back
// from GL. Unknown when the matrices are anything but a plain axis-aligned projection.
struct ScreenArea {
    bool known = false;
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;

    static ScreenArea current();
};
