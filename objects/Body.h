#pragma once
#include <cstdint>

#include "core/Bounds.h"
#include "sound/vec3df.h"

// The bottom centre of a box in sound units of 128 pixels, where its sounds are heard.
irrklang::vec3df soundPositionOf(Bounds box);

// A box that moves: its place and size in pixels, two velocities in sixtieths of a pixel per
// tick and its friction. A plain value, so the play step can copy and advance it.
struct Body {
    void stopHorizontal() { velocityX = 0; }
    void land(int32_t newFriction) {
        velocityY = 0;
        friction = newFriction;
    }
    // Off the ground there is no friction.
    void setGrounded(bool onGround) {
        if (!onGround) {
            friction = 0;
        }
    }

    // The box after one tick of motion; clamps velocityX to the speed limit and drops friction
    // while velocityY is not 0.
    Bounds nextPosition();
    // The box one pixel along velocityX (not moved when it is 0).
    Bounds probeHorizontal() const;
    // The box one pixel along velocityY; stillStep pixels when velocityY is 0.
    Bounds probeVertical(int stillStep) const;
    Bounds box() const { return Bounds{x, y, width, height}; }
    // Bottom centre of the box in sound units of 128 pixels.
    irrklang::vec3df soundPosition() const { return soundPositionOf(box()); }

    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t velocityX = 0;
    int32_t velocityY = 0;
    int32_t friction = 0;
};
