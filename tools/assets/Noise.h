#pragma once
#include <cstdint>

// Smooth lattice noise in [0, 1]: one octave, or several summed with halving weights.
// Optional horizontal period (in pixels) makes it wrap, for textures that tile.
class ValueNoise {
public:
    ValueNoise(uint32_t seed, double cellSize, int periodX = 0);
    double at(double x, double y) const;
    double fractal(double x, double y, int octaves) const;

private:
    double lattice(int ix, int iy, int octave) const;
    double octave(double x, double y, int octave) const;

    uint32_t seed;
    double cell;
    int period;
};
