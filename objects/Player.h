#pragma once
#include <string>

#include "objects/Trotling.h"

// The character the user steers: walking, facing, friction, the jump, and the teleport sound
// that the game plays after a respawn. The teleport source may be null (no engine or file).
class Player : public Trotling {
public:
    explicit Player(const std::string& spritePath);
    ~Player() override;

    void setWalkAcceleration(int value);
    // The sheet faces right; facing left draws it mirrored.
    void setFacing(bool right);
    // Moves velocityX toward 0 by friction, never past it.
    void applyFriction();
    // Adds walkAcceleration, or applies friction while not walking.
    void applyWalk();
    // Adds the jump impulse and plays the jump sound; the caller checks the footing.
    void jump();

    irrklang::ISoundSource* teleportSound = nullptr;
};
