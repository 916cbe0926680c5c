#pragma once
#include <string>

#include "objects/Trotling.h"

// The player's sprite sheet.
constexpr const char* kPlayerSprite = "sprites/brisel.png";

// The character the user steers, as drawn, with the teleport sound that the game plays after a
// respawn. The teleport source may be null (no engine or file).
class Player : public Trotling {
public:
    explicit Player(const std::string& spritePath);
    ~Player() override;

    irrklang::ISoundSource* teleportSound = nullptr;
};
