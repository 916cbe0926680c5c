#include "objects/TrapMotion.h"

#include <cmath>

#include "core/GameUnits.h"
#include "core/SaturatingMath.h"
#include "graphics/Image.h"
#include "objects/Trap.h"

void advanceTrap(const Trap& trap, TrapMotion& motion) {
    if (trap.image != nullptr) {
        SheetCounters frames = *trap.image;
        frames.frameCounter = motion.frameCounter;
        frames.nextFrame();
        motion.frameCounter = frames.frameCounter;
    }
    if (trap.floatX != 0) {
        motion.phaseX = static_cast<float>(motion.phaseX + units::kRadiansPerDegree);
        motion.x = pointOnPath(trap.baseX, trap.floatX, std::cos(static_cast<double>(motion.phaseX)));
    }
    if (trap.floatY != 0) {
        motion.phaseY = static_cast<float>(motion.phaseY + units::kRadiansPerDegree);
        motion.y = pointOnPath(trap.baseY, trap.floatY, std::sin(static_cast<double>(motion.phaseY)));
    }
}

int32_t pointOnPath(int32_t centre, int32_t amplitude, double wave) {
    const double position = static_cast<double>(centre) + static_cast<double>(amplitude) * wave;
    return saturateToInt32(static_cast<int64_t>(position));
}
