#include "Shading.h"

#include "DetMath.h"

#include <algorithm>

namespace shading {

namespace {

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

}  // namespace

double bayer(int x, int y) {
    return (kBayer[y & 3][x & 3] + 0.5) / 16.0;
}

int band(double t, int levels, int x, int y, double soft) {
    if (levels <= 1) {
        return 0;
    }
    double f = detmath::clamp01(t) * (levels - 1);
    int i = static_cast<int>(detmath::floor(f));
    double frac = f - i;
    if (soft > 0 && frac > 1.0 - soft && (frac - (1.0 - soft)) / soft > bayer(x, y)) {
        ++i;
    }
    return std::min(std::max(i, 0), levels - 1);
}

Rgba rampAt(const pal::Ramp& ramp, int lo, int hi, double t, int x, int y, double soft) {
    return ramp[static_cast<size_t>(lo + band(t, hi - lo + 1, x, y, soft))];
}

Canvas shade(const Canvas& mask, const pal::Ramp& ramp, int lo, int hi, const Light& light) {
    int minX = mask.width();
    int minY = mask.height();
    int maxX = -1;
    int maxY = -1;
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (mask.filled(x, y)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
    }
    Canvas out(mask.width(), mask.height());
    if (maxX < 0) {
        return out;
    }
    double cx = (minX + maxX) / 2.0;
    double cy = (minY + maxY) / 2.0;
    double hw = std::max(1.0, (maxX - minX) / 2.0);
    double hh = std::max(1.0, (maxY - minY) / 2.0);
    for (int y = minY; y <= maxY; ++y) {
        for (int x = minX; x <= maxX; ++x) {
            if (!mask.filled(x, y)) {
                continue;
            }
            double nx = (x - cx) / hw;
            double ny = (y - cy) / hh;
            double t = light.base + light.spread * (nx * light.dirX + ny * light.dirY);
            if (!mask.filled(x, y - 1) || !mask.filled(x - 1, y)) {
                t += light.rim;
            }
            if (!mask.filled(x, y + 1) || !mask.filled(x + 1, y)) {
                t -= light.shadow;
            }
            out.set(x, y, rampAt(ramp, lo, hi, t, x, y, light.soft));
        }
    }
    return out;
}

}  // namespace shading
