#include "objects/Body.h"

#include "core/GameUnits.h"
#include "core/SaturatingMath.h"
#include "objects/MotionTuning.h"

namespace {

int32_t sign(int32_t value) {
    return (value > 0) - (value < 0);
}

int32_t offsetBy(int32_t position, int64_t delta) {
    return saturateToInt32(static_cast<int64_t>(position) + delta);
}

}  // namespace

Bounds Body::nextPosition() {
    if (velocityX > tuning::kMaxSpeedX) {
        velocityX = tuning::kMaxSpeedX;
    }
    if (velocityX < -tuning::kMaxSpeedX) {
        velocityX = -tuning::kMaxSpeedX;
    }
    if (velocityY != 0) {
        friction = 0;
    }
    return Bounds{offsetBy(x, velocityX / tuning::kSubpixelsPerPixel),
                  offsetBy(y, velocityY / tuning::kSubpixelsPerPixel), width, height};
}

Bounds Body::probeHorizontal() const {
    return Bounds{offsetBy(x, sign(velocityX)), y, width, height};
}

Bounds Body::probeVertical(int stillStep) const {
    const int32_t step = velocityY == 0 ? stillStep : sign(velocityY);
    return Bounds{x, offsetBy(y, step), width, height};
}

irrklang::vec3df soundPositionOf(Bounds box) {
    const int64_t centreX = static_cast<int64_t>(box.x) + box.w / 2;
    const int64_t bottom = static_cast<int64_t>(box.y) + box.h;
    return irrklang::vec3df(static_cast<float>(centreX * units::kSoundUnitsPerPixel),
                            static_cast<float>(bottom * units::kSoundUnitsPerPixel), 0.0f);
}
