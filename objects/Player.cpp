#include "objects/Player.h"

#include "core/SaturatingMath.h"
#include "graphics/Image.h"
#include "sound/WubManager.h"
#include "sound/irrKlang.h"

namespace {
constexpr float kTeleportVolume = 0.3f;
// Added to velocityY, sixtieths of a pixel per tick.
constexpr int32_t kJumpImpulse = -660;
}  // namespace

Player::Player(const std::string& spritePath) : Trotling(spritePath) {
    teleportSound = WubManager::instance()->requestSoundSource("sounds/teleport.wav");
    if (teleportSound != nullptr) {
        teleportSound->setDefaultVolume(kTeleportVolume);
    }
}

Player::~Player() = default;

void Player::setWalkAcceleration(int value) {
    walkAcceleration = value;
}

void Player::setFacing(bool right) {
    if (image != nullptr) {
        image->flipped = !right;
    }
}

void Player::applyFriction() {
    if (velocityX > 0) {
        velocityX = saturateToInt32(static_cast<int64_t>(velocityX) - friction);
        if (velocityX < 0) {
            velocityX = 0;
        }
    } else if (velocityX < 0) {
        velocityX = saturateToInt32(static_cast<int64_t>(velocityX) + friction);
        if (velocityX > 0) {
            velocityX = 0;
        }
    }
}

void Player::applyWalk() {
    velocityX = saturateToInt32(static_cast<int64_t>(velocityX) + walkAcceleration);
    if (walkAcceleration == 0) {
        applyFriction();
    }
}

void Player::jump() {
    velocityY = saturateToInt32(static_cast<int64_t>(velocityY) + kJumpImpulse);
    playHere(jumpSound);
}
