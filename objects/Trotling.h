#pragma once
#include <cstdint>
#include <string>

#include "objects/Object.h"

namespace irrklang {
class ISoundEngine;
class ISoundSource;
}  // namespace irrklang

// A character that walks, falls, lands with a sound and shows a standing, walking or airborne
// pose. The engine and sources belong to the sound manager; any of them may be null, and then
// the character moves and lands silently.
class Trotling : public Object {
public:
    explicit Trotling(const std::string& spritePath);
    ~Trotling() override;

    void land(int newFriction) override;
    // Airborne poses stand still; the others advance one tick before drawing.
    void draw(int offsetX, int offsetY) override;
    // Grounded/airborne state machine: the pose, and the landing sound on touching down.
    void setGrounded(bool onGround) override;

    // 6 x 3 sheet, a 34 x 46 box, the frame drawn at (-15, -9) from the box's corner.
    void setupSprite();

    irrklang::ISoundEngine* soundEngine = nullptr;
    irrklang::ISoundSource* jumpSound = nullptr;
    irrklang::ISoundSource* landSound = nullptr;
    int32_t walkAcceleration = 0;
    bool grounded = false;

protected:
    // Plays the source once at the character's place; skipped without engine or source.
    void playHere(irrklang::ISoundSource* source);

private:
    void showGroundPose();
    void showAirbornePose();
    bool showingAirborneRow() const;
};
