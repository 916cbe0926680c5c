#include "objects/Trap.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

#include "core/GameUnits.h"
#include "graphics/Image.h"
#include "sound/WubManager.h"
#include "sound/irrKlang.h"

namespace {

float randomWholeDegree() {
    return static_cast<float>(std::rand() % 360) * static_cast<float>(units::kRadiansPerDegree);
}

}  // namespace

Trap::Trap() {
    floatX = 0;
    phaseX = randomWholeDegree();
    floatY = 0;
    phaseY = randomWholeDegree();
    baseX = 0;
    baseY = 0;
    soundEngine = WubManager::instance()->engine;
    sound = nullptr;
}

Trap::~Trap() = default;

void Trap::setX(int value) {
    baseX = value;
    x = pointOnPath(value, floatX, std::cos(static_cast<double>(randomWholeDegree())));
}

void Trap::setY(int value) {
    baseY = value;
    y = pointOnPath(value, floatY, std::sin(static_cast<double>(randomWholeDegree())));
}

TrapMotion Trap::motion() const {
    return TrapMotion{x, y, phaseX, phaseY, image != nullptr ? image->frameCounter : 1};
}

void Trap::show(const TrapMotion& shown) {
    x = shown.x;
    y = shown.y;
    phaseX = shown.phaseX;
    phaseY = shown.phaseY;
    if (image != nullptr) {
        image->frameCounter = shown.frameCounter;
    }
}

void Trap::advance() {
    TrapMotion next = motion();
    advanceTrap(*this, next);
    show(next);
}

void Trap::setFloatX(int amplitude) {
    floatX = amplitude;
    const float angle = randomWholeDegree();
    phaseX = angle;
    if (floatY != 0) {
        phaseY = angle;
    }
}

void Trap::setFloatY(int amplitude) {
    floatY = amplitude;
    const float angle = randomWholeDegree();
    phaseY = angle;
    if (floatX != 0) {
        phaseX = angle;
    }
}

void Trap::partition(int frames) {
    if (image != nullptr) {
        image->partition(frames, 1);
        width = static_cast<int32_t>(image->frameWidth);
        height = static_cast<int32_t>(image->frameHeight);
    }
    std::cout << "partitioning " << frames << "\n";
}

void Trap::setSound(const std::string& path) {
    // The earlier source is not dropped: the trap never took a reference of its own, and the
    // manager keeps lending that source out for the same file.
    sound = WubManager::instance()->requestSoundSource(path);
    if (soundEngine != nullptr && sound != nullptr) {
        soundEngine->play3D(sound, soundPosition(), true, false, false, false);
    }
}
