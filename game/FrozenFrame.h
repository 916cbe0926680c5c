#pragma once
#include "core/Bounds.h"

// A still of the view copied from the window's back buffer, shown in place of the scene while a
// level is paused, so a paused frame costs one quad. Owns its GL texture, which the texture
// manager never sees.
class FrozenFrame {
public:
    FrozenFrame() = default;
    ~FrozenFrame();
    FrozenFrame(const FrozenFrame&) = delete;
    FrozenFrame& operator=(const FrozenFrame&) = delete;

    // True when a still of exactly this window rectangle (real pixels, rows from the bottom) is held.
    bool holds(Bounds windowBox) const;
    // Copies that rectangle of what has been drawn so far; a rectangle GL cannot hold is not kept.
    void capture(Bounds windowBox);
    // Draws the still over the rectangle, in the projection's units.
    void draw(Bounds at) const;
    void release();

private:
    unsigned int texture = 0;
    Bounds taken{};
};
