#include "Scenery.h"

#include "DetMath.h"
#include "Noise.h"
#include "Shading.h"

#include <algorithm>

namespace scenery {

pal::Ramp ramp(Rgba a, Rgba b, Rgba c, Rgba d, Rgba e, Rgba f) {
    return pal::Ramp{a, b, c, d, e, f};
}

void verticalGradient(Canvas& c, int y0, int h, const std::vector<Rgba>& stops, double soft) {
    int n = static_cast<int>(stops.size());
    for (int y = std::max(0, y0); y < std::min(c.height(), y0 + h); ++y) {
        double f = (y - y0 + 0.5) / h * n;
        int i = static_cast<int>(detmath::floor(f));
        double frac = f - i;
        for (int x = 0; x < c.width(); ++x) {
            int k = i;
            if (frac > 1.0 - soft && (frac - (1.0 - soft)) / soft > shading::bayer(x, y)) {
                ++k;
            }
            c.set(x, y, stops[static_cast<size_t>(std::min(std::max(k, 0), n - 1))]);
        }
    }
}

std::vector<int> rollingRidge(int width, Rng& rng, double baseY, double amplitude, int minCycles) {
    int c1 = minCycles + rng.range(0, 1);
    int cycles[] = {c1, c1 * 2 + rng.range(0, 1), c1 * 4 + rng.range(0, 2)};
    double weights[] = {1.0, 0.45, 0.18};
    double phases[] = {rng.unit() * detmath::kTwoPi, rng.unit() * detmath::kTwoPi, rng.unit() * detmath::kTwoPi};
    std::vector<int> ridge(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) {
        double s = 0.0;
        for (int k = 0; k < 3; ++k) {
            s += weights[k] * detmath::sin(detmath::kTwoPi * cycles[k] * x / width + phases[k]);
        }
        ridge[static_cast<size_t>(x)] = static_cast<int>(detmath::floor(baseY - amplitude * s / 1.63));
    }
    return ridge;
}

void fillBelow(Canvas& c, const std::vector<int>& ridge, const std::function<Rgba(int, int, int)>& colour) {
    for (int x = 0; x < c.width() && x < static_cast<int>(ridge.size()); ++x) {
        int top = ridge[static_cast<size_t>(x)];
        for (int y = std::max(0, top); y < c.height(); ++y) {
            c.set(x, y, colour(x, y, y - top));
        }
    }
}

void fillAbove(Canvas& c, const std::vector<int>& edge, const std::function<Rgba(int, int, int)>& colour) {
    for (int x = 0; x < c.width() && x < static_cast<int>(edge.size()); ++x) {
        int bottom = edge[static_cast<size_t>(x)];
        for (int y = std::min(c.height() - 1, bottom); y >= 0; --y) {
            c.set(x, y, colour(x, y, bottom - y));
        }
    }
}

void hillLayer(Canvas& c, const std::vector<int>& ridge, Rgba rim, Rgba body, Rgba low, int fadeDepth) {
    fillBelow(c, ridge, [&](int x, int y, int depth) {
        if (depth == 0) {
            return rim;
        }
        if (depth == 1) {
            // the crest catches light where it faces left
            int left = ridge[static_cast<size_t>(std::max(0, x - 1))];
            return left >= ridge[static_cast<size_t>(x)] ? rim : body;
        }
        double t = static_cast<double>(depth) / fadeDepth;
        if (t > 0.5 && (t - 0.5) * 2.0 > shading::bayer(x, y)) {
            return low;
        }
        return body;
    });
}

namespace {

// A jagged line from (x0, y0) to (x1, y1) by midpoint displacement.
void jaggedEdge(std::vector<PointF>& out, PointF a, PointF b, double rough, int depth, Rng& rng) {
    if (depth == 0) {
        out.push_back(b);
        return;
    }
    double len = std::abs(b.x - a.x) + std::abs(b.y - a.y);
    PointF m{(a.x + b.x) / 2 + (rng.unit() - 0.5) * len * rough,
             (a.y + b.y) / 2 + (rng.unit() - 0.5) * len * rough * 0.5};
    jaggedEdge(out, a, m, rough, depth - 1, rng);
    jaggedEdge(out, m, b, rough, depth - 1, rng);
}

struct Peak {
    double x;
    double top;
    double left;
    double right;
};

// `taken` holds what earlier peaks painted: a crest is lit only where it meets the sky, so a
// nearer peak leaves no light line across the faces behind it.
void drawPeak(Canvas& c, Canvas& taken, const Peak& p, int baseY, const MountainColours& colours, int snowDepth,
              int hazeY, Rng& rng, double shift) {
    PointF apex{p.x + shift, p.top};
    std::vector<PointF> outline{apex};
    jaggedEdge(outline, apex, {apex.x + p.right, baseY + 0.0}, 0.22, 4, rng);
    outline.push_back({apex.x + p.right, c.height() + 1.0});
    outline.push_back({apex.x - p.left, c.height() + 1.0});
    outline.push_back({apex.x - p.left, baseY + 0.0});
    std::vector<PointF> leftSide;
    jaggedEdge(leftSide, {apex.x - p.left, baseY + 0.0}, apex, 0.22, 4, rng);
    outline.insert(outline.end(), leftSide.begin(), leftSide.end());
    Canvas mask(c.width(), c.height());
    mask.fillPolygon(outline, pal::white);
    // the fall line between the lit and the shaded face wanders down from the apex
    std::vector<double> fall;
    double fx = apex.x;
    for (int y = 0; y < c.height(); ++y) {
        if (y > p.top) {
            fx += (rng.unit() - 0.45) * 1.6 + 0.15;
        }
        fall.push_back(fx);
    }
    // the snow's lower edge: a ragged walk, with tongues of snow running down the gullies
    std::vector<double> snowLine;
    double walk = 0.0;
    ValueNoise gullies(rng.next(), 9.0);
    for (int x = 0; x < c.width(); ++x) {
        walk += (rng.unit() - 0.5) * 1.5;
        walk *= 0.85;
        double g = gullies.at(x, 0.5);
        double tongue = g > 0.6 ? (g - 0.6) * 2.5 * snowDepth * 0.6 : 0.0;
        snowLine.push_back(p.top + snowDepth * 0.75 + walk * 1.5 + tongue);
    }
    for (int y = std::max(0, static_cast<int>(p.top)); y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            if (!mask.filled(x, y)) {
                continue;
            }
            bool lit = x < fall[static_cast<size_t>(y)];
            double snowEdge = snowLine[static_cast<size_t>(x)];
            bool snow = y < snowEdge - 2 || (y < snowEdge + 2 && shading::bayer(x, y) < 0.5);
            Rgba col = snow ? (lit ? colours.snowLit : colours.snowShade) : (lit ? colours.lit : colours.shade);
            double haze = (y - hazeY) / 24.0;
            if (haze > 0 && (haze >= 1.0 || haze > shading::bayer(x, y))) {
                col = colours.haze;
            }
            if (!mask.filled(x, y - 1) && !taken.filled(x, y - 1) && lit) {
                col = snow ? colours.snowLit : colours.snowShade;
            }
            c.set(x, y, col);
        }
    }
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            if (mask.filled(x, y)) {
                taken.set(x, y, pal::white);
            }
        }
    }
}

}  // namespace

void mountainRange(Canvas& c, Rng& rng, int baseY, int count, int minHeight, int maxHeight,
                   const MountainColours& colours, int snowDepth, int hazeY) {
    std::vector<Peak> peaks;
    int w = c.width();
    for (int i = 0; i < count; ++i) {
        double height = minHeight + (maxHeight - minHeight) * rng.unit();
        double x = w * (i + 0.2 + 0.6 * rng.unit()) / count;
        peaks.push_back({x, baseY - height, height * (1.1 + 0.6 * rng.unit()), height * (1.0 + 0.7 * rng.unit())});
    }
    // the tall ones stand behind
    std::sort(peaks.begin(), peaks.end(), [](const Peak& a, const Peak& b) { return a.top < b.top; });
    Canvas taken(w, c.height());
    for (const Peak& p : peaks) {
        uint32_t seed = rng.next();
        for (int copy = -1; copy <= 1; ++copy) {
            Rng local(seed);
            drawPeak(c, taken, p, baseY, colours, snowDepth, hazeY, local, copy * w);
        }
    }
}

void cloud(Canvas& c, int x, int baseY, int w, int h, Rng& rng, const CloudColours& colours) {
    Canvas mask(c.width(), c.height());
    int puffs = std::max(2, w / std::max(1, h));
    for (int i = 0; i < puffs; ++i) {
        double px = x + w * (i + 0.5) / puffs;
        double middle = 1.0 - std::abs(i + 0.5 - puffs / 2.0) / (puffs / 2.0);
        double r = h * (0.45 + 0.45 * middle) * (0.85 + 0.3 * rng.unit());
        mask.fillEllipse(px, baseY - r * 0.75, r * 1.15, r, pal::white);
    }
    mask.fillEllipse(x + w / 2.0, baseY - h * 0.2, w / 2.0, h * 0.35, pal::white);
    for (int yy = baseY + 1; yy < c.height(); ++yy) {
        for (int xx = 0; xx < c.width(); ++xx) {
            mask.set(xx, yy, kClear);
        }
    }
    for (int yy = 0; yy < c.height(); ++yy) {
        for (int xx = 0; xx < c.width(); ++xx) {
            if (!mask.filled(xx, yy)) {
                continue;
            }
            int up = 0;
            while (up < 6 && mask.filled(xx, yy - up - 1)) {
                ++up;
            }
            double fromBase = static_cast<double>(baseY - yy) / h;
            Rgba col = colours.mid;
            if (up < 3 || (up < 5 && shading::bayer(xx, yy) < 0.5)) {
                col = colours.light;
            } else if (fromBase < 0.22 || (fromBase < 0.32 && shading::bayer(xx, yy) < 0.5)) {
                col = colours.shade;
            }
            c.set(xx, yy, col);
        }
    }
}

void cloudStreak(Canvas& c, int x, int y, int w, Rgba body, Rgba lit, Rng& rng) {
    int segments = std::max(1, w / 40);
    for (int i = 0; i < segments; ++i) {
        double cx = x + w * (i + 0.5) / segments + rng.range(-6, 6);
        double rx = w / static_cast<double>(segments) * (0.5 + 0.3 * rng.unit());
        double ry = 2.0 + rng.range(0, 3);
        double cy = y + rng.range(-2, 2);
        for (int yy = static_cast<int>(cy - ry) - 1; yy <= static_cast<int>(cy + ry) + 1; ++yy) {
            for (int xx = static_cast<int>(cx - rx) - 1; xx <= static_cast<int>(cx + rx) + 1; ++xx) {
                double dx = (xx - cx) / rx;
                double dy = (yy - cy) / ry;
                if (dx * dx + dy * dy <= 1.0) {
                    bool bottom = (dx * dx + ((yy + 1 - cy) / ry) * ((yy + 1 - cy) / ry)) > 1.0;
                    c.set(xx, yy, bottom ? lit : body);
                }
            }
        }
    }
}

void stars(Canvas& c, Rng& rng, int x0, int y0, int w, int h, int count, Rgba dim, Rgba bright) {
    for (int i = 0; i < count; ++i) {
        int x = x0 + rng.range(0, w - 1);
        int y = y0 + rng.range(0, h - 1);
        int kind = rng.range(0, 9);
        if (kind < 6) {
            c.set(x, y, dim);
        } else if (kind < 9) {
            c.set(x, y, bright);
        } else {
            c.set(x, y, bright);
            c.set(x - 1, y, dim);
            c.set(x + 1, y, dim);
            c.set(x, y - 1, dim);
            c.set(x, y + 1, dim);
        }
    }
}

void glow(Canvas& c, double cx, double cy, double rx, double ry, Rgba colour, int steps, int alphaStep) {
    for (int s = 0; s < steps; ++s) {
        double k = 1.0 - static_cast<double>(s) / steps;
        Canvas ring(c.width(), c.height());
        ring.fillEllipse(cx, cy, rx * k, ry * k, pal::white);
        for (int y = 0; y < c.height(); ++y) {
            for (int x = 0; x < c.width(); ++x) {
                if (ring.filled(x, y)) {
                    c.over(x, y, withAlpha(colour, static_cast<uint8_t>(alphaStep)));
                }
            }
        }
    }
}

void stipple(Canvas& c, int x, int y, int w, int h, Rgba colour, double amount) {
    for (int yy = y; yy < y + h; ++yy) {
        for (int xx = x; xx < x + w; ++xx) {
            if (shading::bayer(xx, yy) < amount) {
                c.set(xx, yy, colour);
            }
        }
    }
}

void moon(Canvas& c, int cx, int cy, int r, Rgba lit, Rgba mid, Rgba dark, Rgba halo) {
    glow(c, cx + 0.5, cy + 0.5, r * 2.2, r * 2.2, halo, 3, 28);
    Canvas disc(c.width(), c.height());
    disc.fillEllipse(cx + 0.5, cy + 0.5, r, r, pal::white);
    for (int y = cy - r - 1; y <= cy + r + 1; ++y) {
        for (int x = cx - r - 1; x <= cx + r + 1; ++x) {
            if (!disc.filled(x, y)) {
                continue;
            }
            double dx = (x - cx) / static_cast<double>(r);
            double dy = (y - cy) / static_cast<double>(r);
            double t = 0.75 - 0.35 * (dx * 0.7 + dy * 0.7);
            Rgba col = t > 0.62 ? lit : (t > 0.5 && shading::bayer(x, y) < (t - 0.5) / 0.12 ? lit : mid);
            if (!disc.filled(x + 1, y + 1) || !disc.filled(x + 2, y + 1)) {
                col = dark;
            }
            c.set(x, y, col);
        }
    }
    // craters: shaded rims, lit on the side away from the light
    const double craters[][3] = {{-0.35, -0.2, 0.22}, {0.3, 0.25, 0.16}, {-0.05, 0.45, 0.12}, {0.35, -0.4, 0.1}};
    for (const auto& k : craters) {
        double kx = cx + k[0] * r;
        double ky = cy + k[1] * r;
        double kr = std::max(1.5, k[2] * r);
        Canvas hole(c.width(), c.height());
        hole.fillEllipse(kx, ky, kr, kr, pal::white);
        for (int y = static_cast<int>(ky - kr) - 1; y <= static_cast<int>(ky + kr) + 1; ++y) {
            for (int x = static_cast<int>(kx - kr) - 1; x <= static_cast<int>(kx + kr) + 1; ++x) {
                if (hole.filled(x, y) && disc.filled(x, y)) {
                    bool rimLit = !hole.filled(x + 1, y + 1);
                    c.set(x, y, rimLit ? lit : mid);
                    if (!hole.filled(x - 1, y - 1)) {
                        c.set(x, y, dark);
                    }
                }
            }
        }
    }
}

void sun(Canvas& c, int cx, int cy, int r, Rgba core, Rgba rim, Rgba glowColour) {
    glow(c, cx + 0.5, cy + 0.5, r * 2.6, r * 2.6, glowColour, 4, 26);
    c.fillEllipse(cx + 0.5, cy + 0.5, r, r, rim);
    c.fillEllipse(cx - 0.5, cy - 0.5, r - 2, r - 2, core);
}

void broadTree(Canvas& c, int x, int groundY, int height, Rng& rng, const pal::Ramp& leaves, const pal::Ramp& bark) {
    Canvas tree(c.width(), c.height());
    int trunkW = std::max(4, height / 12);
    int canopyBottom = groundY - height * 4 / 10;
    int canopyTop = groundY - height;
    // trunk flares at the roots and forks into the crown
    Canvas trunk(c.width(), c.height());
    trunk.fillPolygon({{x - trunkW * 1.2, groundY + 0.0},
                       {x - trunkW * 0.5, groundY - height * 0.15},
                       {x - trunkW * 0.45, canopyBottom + 4.0},
                       {x - trunkW * 1.6, canopyBottom - height * 0.12},
                       {x - trunkW * 0.9, canopyBottom - height * 0.14},
                       {x + 0.0, canopyBottom - 2.0},
                       {x + trunkW * 0.9, canopyBottom - height * 0.16},
                       {x + trunkW * 1.5, canopyBottom - height * 0.12},
                       {x + trunkW * 0.5, canopyBottom + 4.0},
                       {x + trunkW * 0.55, groundY - height * 0.15},
                       {x + trunkW * 1.3, groundY + 0.0}},
                      pal::white);
    tree.blit(shading::shade(trunk, bark, 1, 4), 0, 0);
    // bark streaks
    for (int y = canopyBottom; y < groundY - 2; y += 3) {
        tree.set(x + (y % 2), y, bark[1]);
    }
    // crown: clumps drawn from the back (darker, lower) to the front (lighter, higher)
    struct Clump {
        double cx;
        double cy;
        double r;
    };
    std::vector<Clump> clumps;
    double crownW = height * 0.34;
    double crownH = (canopyBottom - canopyTop) * 0.5 + height * 0.05;
    double crownCy = canopyTop + crownH;
    int n = 10 + height / 20;
    for (int i = 0; i < n; ++i) {
        double a = rng.unit() * detmath::kTwoPi;
        double d = 0.35 + 0.55 * rng.unit();
        double r = height * (0.09 + 0.06 * rng.unit());
        clumps.push_back({x + detmath::cos(a) * crownW * d * 0.85, crownCy + detmath::sin(a) * crownH * d * 0.8, r});
    }
    clumps.push_back({static_cast<double>(x), crownCy - crownH * 0.35, height * 0.15});
    std::sort(clumps.begin(), clumps.end(), [](const Clump& a, const Clump& b) { return a.cy > b.cy; });
    Canvas crownMask(c.width(), c.height());
    for (const Clump& k : clumps) {
        crownMask.fillEllipse(k.cx, k.cy, k.r * 1.1, k.r, pal::white);
    }
    // the whole crown in shadow first, then each clump's lit cap
    shading::Light deep;
    deep.spread = 0.6;
    tree.blit(shading::shade(crownMask, leaves, 1, 3, deep), 0, 0);
    for (const Clump& k : clumps) {
        Canvas cap(c.width(), c.height());
        cap.fillEllipse(k.cx - k.r * 0.15, k.cy - k.r * 0.2, k.r * 0.85, k.r * 0.7, pal::white);
        double height01 = (crownCy + crownH - k.cy) / (2 * crownH);
        int hi = height01 > 0.45 ? 5 : 4;
        shading::Light light;
        light.base = 0.35 + height01 * 0.25;
        Canvas lit = shading::shade(cap, leaves, 2, hi, light);
        for (int y = 0; y < c.height(); ++y) {
            for (int xx = 0; xx < c.width(); ++xx) {
                if (lit.filled(xx, y) && crownMask.filled(xx, y)) {
                    tree.set(xx, y, lit.at(xx, y));
                }
            }
        }
        // a dark crescent under each clump separates it from the one below
        for (int xx = static_cast<int>(k.cx - k.r); xx <= static_cast<int>(k.cx + k.r); ++xx) {
            int yy = static_cast<int>(k.cy + k.r * 0.55);
            if (cap.filled(xx, yy - 1) && !cap.filled(xx, yy) && crownMask.filled(xx, yy)) {
                tree.set(xx, yy, leaves[1]);
            }
        }
    }
    // loose leaves at the crown's edge
    for (int i = 0; i < height / 4; ++i) {
        int lx = x + rng.range(static_cast<int>(-crownW), static_cast<int>(crownW));
        int ly = canopyTop + rng.range(0, static_cast<int>(crownH * 2));
        if (!crownMask.filled(lx, ly) && (crownMask.filled(lx + 1, ly) || crownMask.filled(lx, ly + 1))) {
            tree.set(lx, ly, leaves[3]);
        }
    }
    tree.outline(pal::ink);
    c.blit(tree, 0, 0);
}

void pine(Canvas& c, int x, int groundY, int height, Rgba colour, Rgba rim) {
    int tiers = std::max(2, height / 10);
    for (int t = 0; t < tiers; ++t) {
        double top = groundY - height + t * height * 0.8 / tiers;
        double bottom = top + height * 0.45;
        double half = height * (0.12 + 0.2 * (t + 1) / tiers);
        c.fillPolygon({{x + 0.5, top}, {x + 0.5 + half, bottom}, {x + 0.5 - half, bottom}}, colour);
        c.line(x, static_cast<int>(top) + 1, static_cast<int>(x - half * 0.6), static_cast<int>(top + height * 0.3),
               rim);
    }
    c.fillRect(x - 1, groundY - height / 5, 2, height / 5, colour);
}

namespace {

void roundTree(Canvas& c, int x, int ground, double r, Rgba colour, Rgba rim) {
    c.fillRect(x, ground - static_cast<int>(r), 2, static_cast<int>(r), colour);
    c.fillEllipse(x + 0.5, ground - r * 1.6, r, r * 1.05, colour);
    c.fillEllipse(x - 0.5 - r * 0.1, ground - r * 1.75, r * 0.55, r * 0.55, colour);
    // a crescent of light on the upper left
    for (int y = static_cast<int>(ground - r * 2.7); y < ground; ++y) {
        for (int xx = static_cast<int>(x - r - 1); xx < x; ++xx) {
            if (c.at(xx, y) == colour && c.at(xx, y - 1) != colour && c.at(xx + 1, y + 1) == colour) {
                c.set(xx, y, rim);
            }
        }
    }
}

}  // namespace

void treeLine(Canvas& c, const std::vector<int>& ridge, Rng& rng, Rgba colour, Rgba rim, int size, double density) {
    int w = static_cast<int>(ridge.size());
    for (int x = 0; x < w; x += std::max(2, size / 2)) {
        if (!rng.chance(density)) {
            continue;
        }
        int xx = x + rng.range(0, size / 2);
        if (xx >= w) {
            continue;
        }
        int ground = ridge[static_cast<size_t>(xx)] + 2;
        bool isPine = rng.chance(0.4);
        int pineHeight = size + rng.range(0, size / 2);
        double r = size * (0.4 + 0.25 * rng.unit());
        // drawn once more a width to either side, so a strip of the picture's width tiles
        for (int shift = -w; shift <= w; shift += w) {
            if (isPine) {
                pine(c, xx + shift, ground, pineHeight, colour, rim);
            } else {
                roundTree(c, xx + shift, ground, r, colour, rim);
            }
        }
    }
}

void ruinTower(Canvas& c, int x, int groundY, int w, int h, Rng& rng, Rgba body, Rgba lit, Rgba window) {
    int top = groundY - h;
    std::vector<PointF> outline{{x + 0.0, groundY + 0.0}, {x + 0.0, top + 6.0}};
    // crenellations on the left, a broken slope to the right
    int merlon = std::max(3, w / 6);
    int cx = x;
    bool up = true;
    while (cx < x + w / 2) {
        outline.push_back({cx + 0.0, up ? top + 0.0 : top + 4.0});
        outline.push_back({cx + merlon + 0.0, up ? top + 0.0 : top + 4.0});
        cx += merlon;
        up = !up;
    }
    int steps = 4;
    for (int i = 1; i <= steps; ++i) {
        outline.push_back({x + w / 2.0 + w / 2.0 * i / steps, top + 4.0 + h * 0.25 * i / steps + rng.range(-3, 3)});
    }
    outline.push_back({x + w + 0.0, groundY + 0.0});
    Canvas mask(c.width(), c.height());
    mask.fillPolygon(outline, pal::white);
    for (int y = 0; y < c.height(); ++y) {
        for (int xx = 0; xx < c.width(); ++xx) {
            if (!mask.filled(xx, y)) {
                continue;
            }
            bool edge = !mask.filled(xx - 1, y) || !mask.filled(xx, y - 1);
            c.set(xx, y, edge ? lit : body);
        }
    }
    // arched windows
    int rows = std::max(1, h / 40);
    for (int r = 0; r < rows; ++r) {
        int wy = top + 16 + r * 36;
        int ww = std::max(3, w / 5);
        int wx = x + w / 2 - ww / 2 + (r % 2 == 0 ? -w / 6 : w / 6);
        if (wy + 12 > groundY - 6) {
            break;
        }
        Canvas win(c.width(), c.height());
        win.fillRect(wx, wy + ww / 2, ww, 10, pal::white);
        win.fillEllipse(wx + ww / 2.0 - 0.5, wy + ww / 2.0, ww / 2.0, ww / 2.0, pal::white);
        for (int y = 0; y < c.height(); ++y) {
            for (int xx = 0; xx < c.width(); ++xx) {
                if (win.filled(xx, y) && mask.filled(xx, y)) {
                    c.set(xx, y, window);
                }
            }
        }
    }
}

void ruinArch(Canvas& c, int x, int groundY, int w, int h, Rgba body, Rgba lit) {
    Canvas mask(c.width(), c.height());
    mask.fillRect(x, groundY - h, w, h, pal::white);
    int pier = std::max(4, w / 6);
    int inner = w - 2 * pier;
    Canvas hole(c.width(), c.height());
    hole.fillRect(x + pier, groundY - h + h / 3 + inner / 2, inner, h, pal::white);
    hole.fillEllipse(x + pier + inner / 2.0 - 0.5, groundY - h + h / 3.0 + inner / 2.0, inner / 2.0, inner / 2.0,
                     pal::white);
    for (int y = 0; y < c.height(); ++y) {
        for (int xx = 0; xx < c.width(); ++xx) {
            if (mask.filled(xx, y) && !hole.filled(xx, y)) {
                bool edge = !mask.filled(xx - 1, y) || !mask.filled(xx, y - 1) || hole.filled(xx + 1, y) ||
                            hole.filled(xx, y + 1);
                c.set(xx, y, edge ? lit : body);
            }
        }
    }
}

}  // namespace scenery
