#pragma once
#include <cstdint>

// How far scenery at depth z moves from its place for a view whose corner is at (viewX, viewY):
// behind the play (z > 0) it follows the view by z / (z + 1), in front (z < 0) it runs ahead by
// z / (1 - z), and the vertical shift is a quarter of the horizontal one. Depth 0 stays put.
// Formed in 64 bits, so hostile values do not wrap.
struct ParallaxShift {
    int64_t x = 0;
    int64_t y = 0;
};

ParallaxShift parallaxShift(int z, int64_t viewX, int64_t viewY);
