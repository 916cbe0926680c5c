#include "graphics/Decoration.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/GameUnits.h"
#include "core/SaturatingMath.h"
#include "graphics/Parallax.h"

namespace {

constexpr double kBobAmplitude = 20.0;  // pixels
constexpr int kDegreesPerTurn = 360;

float randomPhase() {
    return static_cast<float>((std::rand() % kDegreesPerTurn) * units::kRadiansPerDegree);
}

// Where the decoration's picture stands for this view. Level values may be anything:
// positions are formed in 64 bits and saturated, which leaves every sane value exactly as the
// 32-bit rule gives it.
struct Placement {
    int32_t x;
    int32_t y;
};

Placement placed(const Decoration& decoration, int viewX, int viewY) {
    int64_t y = decoration.y;
    if (decoration.z >= 0 && !decoration.still) {
        // A decoration that does not float still stands at its fixed random offset.
        double offset = kBobAmplitude * std::sin(static_cast<double>(decoration.phase));
        if (!std::isfinite(offset)) {
            offset = 0.0;
        }
        y = saturateToInt32(static_cast<int64_t>(std::trunc(decoration.y + offset)));
    }
    const ParallaxShift shift = parallaxShift(decoration.z, viewX, viewY);
    return {saturateToInt32(decoration.x + shift.x), saturateToInt32(y + shift.y)};
}

}  // namespace

Decoration::Decoration() : phase(randomPhase()) {}

void Decoration::setFloating(bool value) {
    floating = value;
    phase = randomPhase();
}

float nextBobPhase(float phase) {
    return static_cast<float>(phase + units::kRadiansPerDegree);
}

void Decoration::draw(int originX, int originY, int viewX, int viewY, int viewWidth, int viewHeight) const {
    const Placement at = placed(*this, viewX, viewY);
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
