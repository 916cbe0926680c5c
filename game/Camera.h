#pragma once
#include <cstdint>

#include "core/Bounds.h"

// The view: the rectangle of the level on show, in level pixels. Keeping it inside the level
// also places the sound listener at its centre.
class Camera {
public:
    Camera() = default;
    virtual ~Camera() = default;

    // Centres the view on the box; no clamping.
    void centerOn(Bounds box);
    // Moves the view back inside the level (left and top first), then places the listener.
    void clampToLevel(int levelWidth, int levelHeight);
    Bounds view() const { return Bounds{x, y, width, height}; }

    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 100;
    int32_t height = 100;
};
