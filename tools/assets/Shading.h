#pragma once
#include "Canvas.h"
#include "Palette.h"

// Ordered-dither helpers and the volume shading every painted part goes through, so light
// always falls from the upper left and transitions are stippled, never blended.
namespace shading {

// Bayer 4 x 4 threshold in (0, 1) for a pixel.
double bayer(int x, int y);

// Picks one of `levels` steps for t in [0, 1]: flat bands whose upper `soft` fraction is
// stippled into the next band.
int band(double t, int levels, int x, int y, double soft = 0.35);

// Colour of ramp[lo..hi] for t in [0, 1], dithered at band edges.
Rgba rampAt(const pal::Ramp& ramp, int lo, int hi, double t, int x, int y, double soft = 0.35);

struct Light {
    double dirX = -0.55;  // towards the light
    double dirY = -0.8;
    double base = 0.5;
    double spread = 0.45;  // how much the position inside the shape lightens or darkens
    double rim = 0.22;     // extra light on edges facing the light
    double shadow = 0.2;   // extra dark on edges facing away
    double soft = 0.35;
};

// Paints every opaque pixel of mask (same size result) from ramp[lo..hi], as a rounded
// volume lit from the light's side.
Canvas shade(const Canvas& mask, const pal::Ramp& ramp, int lo, int hi, const Light& light = Light{});

}  // namespace shading
