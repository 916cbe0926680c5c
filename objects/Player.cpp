#include "objects/Player.h"

#include "sound/WubManager.h"
#include "sound/irrKlang.h"

namespace {
constexpr float kTeleportVolume = 0.3f;
}  // namespace

Player::Player(const std::string& spritePath) : Trotling(spritePath) {
    teleportSound = WubManager::instance()->requestSoundSource("sounds/teleport.wav");
    if (teleportSound != nullptr) {
        teleportSound->setDefaultVolume(kTeleportVolume);
    }
}

Player::~Player() = default;
