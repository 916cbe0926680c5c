#include "Noise.h"

#include "DetMath.h"
#include "Rng.h"

namespace {

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace

ValueNoise::ValueNoise(uint32_t seedValue, double cellSize, int periodX)
    : seed(seedValue), cell(cellSize), period(periodX) {}

double ValueNoise::lattice(int ix, int iy, int oct) const {
    if (period > 0) {
        int cells = static_cast<int>(period / cell) << oct;
        if (cells > 0) {
            ix = ((ix % cells) + cells) % cells;
        }
    }
    return (hash3(ix, iy, oct, seed) & 0xffff) / 65535.0;
}

double ValueNoise::octave(double x, double y, int oct) const {
    double scale = static_cast<double>(1 << oct) / cell;
    double fx = x * scale;
    double fy = y * scale;
    double x0 = detmath::floor(fx);
    double y0 = detmath::floor(fy);
    int ix = static_cast<int>(x0);
    int iy = static_cast<int>(y0);
    double tx = smooth(fx - x0);
    double ty = smooth(fy - y0);
    double a = lattice(ix, iy, oct);
    double b = lattice(ix + 1, iy, oct);
    double c = lattice(ix, iy + 1, oct);
    double d = lattice(ix + 1, iy + 1, oct);
    double top = a + (b - a) * tx;
    double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double ValueNoise::at(double x, double y) const {
    return octave(x, y, 0);
}

double ValueNoise::fractal(double x, double y, int octaves) const {
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int o = 0; o < octaves; ++o) {
        sum += octave(x, y, o) * weight;
        total += weight;
        weight *= 0.5;
    }
    return sum / total;
}
