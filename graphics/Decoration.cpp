#include "graphics/Decoration.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/SaturatingMath.h"

namespace {

constexpr double kDegree = 0.017453305555555555;  // radians; 3.141595 / 180, the game's own pi
constexpr double kBobAmplitude = 20.0;            // pixels
constexpr int kDegreesPerTurn = 360;
constexpr int64_t kVerticalParallaxDivisor = 4;  // vertical parallax is a quarter of the horizontal

float randomPhase() {
    return static_cast<float>((std::rand() % kDegreesPerTurn) * kDegree);
}

// Level values may be anything: positions are formed in 64 bits and saturated, which leaves
// every sane value exactly as the 32-bit rule gives it.
struct Placement {
    int32_t x;
    int32_t y;
};

Placement inFront(int x, int y, int z, int viewX, int viewY) {
    int64_t depth = z;
    int64_t shiftX = viewX * depth / (1 - depth);
    int64_t shiftY = viewY * depth / (depth - 1) / kVerticalParallaxDivisor;
    return {saturateToInt32(x + shiftX), saturateToInt32(y - shiftY)};
}

Placement behind(int x, int bobbedY, int z, int viewX, int viewY) {
    if (z == 0) {
        return {x, bobbedY};
    }
    int64_t depth = z;
    int64_t shiftX = viewX * depth / (depth + 1);
    int64_t shiftY = viewY * depth / (depth + 1) / kVerticalParallaxDivisor;
    return {saturateToInt32(x + shiftX), saturateToInt32(bobbedY + shiftY)};
}

}  // namespace

Decoration::Decoration() : phase(randomPhase()) {}

void Decoration::setFloating(bool value) {
    floating = value;
    phase = randomPhase();
}

void Decoration::draw(int originX, int originY, int viewX, int viewY, int viewWidth, int viewHeight) {
    // The phase runs on while culled, so a decoration does not freeze off screen.
    if (floating) {
        phase += kDegree;
    }

    Placement at;
    if (z < 0) {
        at = inFront(x, y, z, viewX, viewY);
    } else {
        // A decoration that does not float still stands at its fixed random offset.
        double offset = kBobAmplitude * std::sin(static_cast<double>(phase));
        if (!std::isfinite(offset)) {
            offset = 0.0;
        }
        int64_t bobbedY = static_cast<int64_t>(std::trunc(y + offset));
        at = behind(x, saturateToInt32(bobbedY), z, viewX, viewY);
    }

    const int64_t left = at.x;
    const int64_t top = at.y;
    bool visible = left + width > viewX && left < int64_t{viewX} + viewWidth && top + height > viewY &&
                   top < int64_t{viewY} + viewHeight;
    if (!visible) {
        return;
    }
    int64_t dx = static_cast<int64_t>(originX) - viewX + at.x - x;
    int64_t dy = static_cast<int64_t>(originY) - viewY + at.y - y;
    Image::draw(saturateToInt32(dx), saturateToInt32(dy));
}
