#include "graphics/Parallax.h"

namespace {
constexpr int64_t kVerticalParallaxDivisor = 4;
}  // namespace

ParallaxShift parallaxShift(int z, int64_t viewX, int64_t viewY) {
    const int64_t depth = z;
    if (depth == 0) {
        return ParallaxShift{};
    }
    if (depth > 0) {
        return ParallaxShift{viewX * depth / (depth + 1), viewY * depth / (depth + 1) / kVerticalParallaxDivisor};
    }
    return ParallaxShift{viewX * depth / (1 - depth), -(viewY * depth / (depth - 1) / kVerticalParallaxDivisor)};
}
