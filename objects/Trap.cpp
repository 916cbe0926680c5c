#include "objects/Trap.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

#include "core/SaturatingMath.h"
#include "graphics/Image.h"
#include "sound/WubManager.h"
#include "sound/irrKlang.h"

namespace {
// One degree as the game counts it: 3.141595 / 180, a little more than the true pi / 180.
constexpr double kRadiansPerDegree = 0.017453305555555555;

float randomWholeDegree() {
    return static_cast<float>(std::rand() % 360) * static_cast<float>(kRadiansPerDegree);
}

// centre + amplitude x wave, truncated toward zero; the sum can pass the int range on hostile
// values, so it is formed wide and brought back.
int32_t pointOnPath(int32_t centre, int32_t amplitude, double wave) {
    const double position = static_cast<double>(centre) + static_cast<double>(amplitude) * wave;
    return saturateToInt32(static_cast<int64_t>(position));
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

void Trap::draw(int offsetX, int offsetY) {
    advance();
    drawWhereItIs(offsetX, offsetY);
}

void Trap::advance() {
    if (image != nullptr) {
        image->nextFrame();
    }
    // A trap without a picture still floats: it stays a hazard wherever its path takes it.
    if (floatX != 0) {
        phaseX = static_cast<float>(phaseX + kRadiansPerDegree);
        x = pointOnPath(baseX, floatX, std::cos(static_cast<double>(phaseX)));
    }
    if (floatY != 0) {
        phaseY = static_cast<float>(phaseY + kRadiansPerDegree);
        y = pointOnPath(baseY, floatY, std::sin(static_cast<double>(phaseY)));
    }
}

void Trap::drawWhereItIs(int offsetX, int offsetY) {
    drawImage(offsetX, offsetY);
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
