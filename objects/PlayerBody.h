#pragma once
#include <cstdint>

#include "graphics/SheetCounters.h"
#include "objects/Body.h"

// Everything about the player that a tick of play changes: the moving box, the walk, whether
// it stands on something, which way it faces and the animation counters of its pose. A plain
// value; the Player object only shows it. The rules here play no sound: they report.
struct PlayerBody : Body {
    // Faces the player that way and sets its walk.
    void walk(bool right);
    void setFacing(bool right) { facingRight = right; }
    // Moves velocityX toward 0 by friction, never past it.
    void applyFriction();
    // Adds walkAcceleration, or applies friction while not walking.
    void applyWalk();
    // Adds the jump impulse; the caller checks the footing.
    void jump();
    // The grounded/airborne state machine and its pose; true on touching down.
    bool touchGround(bool onGround);
    // One tick of the pose's animation: airborne poses stand still.
    void advancePose();
    bool showingAirborneRow() const;

    int32_t walkAcceleration = 0;
    bool grounded = false;
    // The sheet faces right; facing left draws it mirrored.
    bool facingRight = true;
    SheetCounters pose;

private:
    void showGroundPose();
    void showAirbornePose();
};
