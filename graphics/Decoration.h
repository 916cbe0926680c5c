#pragma once
#include "graphics/Image.h"

// Scenery: an Image placed in the level that scrolls with parallax by depth z and may bob.
class Decoration : public Image {
public:
    // Image defaults, z 0, not floating, a random whole-degree phase from rand().
    Decoration();
    virtual ~Decoration() = default;

    // Sets the flag and draws a new random phase, whichever the value.
    void setFloating(bool value);
    // Draws the decoration when it lies inside the view; see the parallax rules in the .cpp.
    void draw(int originX, int originY, int viewX, int viewY, int viewWidth, int viewHeight) const;

    bool floating = false;
    // Stands exactly at its y: no bobbing and no fixed random offset, whatever the depth.
    bool still = false;
    float phase = 0.0f;
    int z = 0;
};

// One tick of bobbing for a floating piece: the phase steps one degree; it is never wrapped.
float nextBobPhase(float phase);
