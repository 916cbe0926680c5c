// The frost theme: a polar night sky that holds no ground, so it suits climbs; snow-capped ice
// ledges with icicles; frozen ground whose texture repeats every 64 pixels so tiles laid side by
// side join without a seam; and its scenery: far peaks and pines fading into mist, near snowy
// pines and boulders, and drifting snow in front.
#include "AssetList.h"
#include "DetMath.h"
#include "Noise.h"
#include "Palette.h"
#include "Scenery.h"
#include "Shading.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kLedgeHeight = 32;
constexpr int kGroundHeight = 96;
constexpr int kLedgeWidths[] = {32, 64, 96, 128, 192, 256, 320, 480, 640};
constexpr int kGroundWidths[] = {128, 256, 320, 640};
// Every ground width is a multiple of this, and the ground's texture repeats over it.
constexpr int kGroundPeriod = 64;
constexpr int kSnowDepth = 7;       // rows of snow on a ledge or the ground, before the ragged edge
constexpr int kPeaksSideMist = 72;  // columns at each side of the far peaks that fade into the air

// Packed ice and frozen rock, dark to light.
constexpr pal::Ramp ice{hex(0x141c34), hex(0x22345a), hex(0x365383), hex(0x5a80ae), hex(0x94b8d8), hex(0xdcecf8)};
// Snow in shade to snow in light.
constexpr pal::Ramp snow{hex(0x5a6e9a), hex(0x7e96c0), hex(0xa8bedc), hex(0xcadaee), hex(0xe6f0fa), hex(0xfcfeff)};

// ---- the sky

void curtains(Canvas& c, Rng& rng, int y0, int amplitude, const pal::Ramp& glowRamp) {
    const double phase = rng.unit() * detmath::kTwoPi;
    for (int x = 0; x < c.width(); ++x) {
        const double top = y0 + amplitude * detmath::sin(x * detmath::kTwoPi / 640.0 + phase) +
                           9 * detmath::sin(x * detmath::kTwoPi / 80.0 + phase);
        const double wave = 0.5 + 0.5 * detmath::sin(x * detmath::kTwoPi / 213.0 + phase * 3);
        const double strength = wave * wave;
        const int len = 40 + static_cast<int>(90 * strength);
        for (int k = 0; k < len; ++k) {
            const int y = static_cast<int>(top) + k;
            const double fade = (1.0 - static_cast<double>(k) / len) * (0.08 + 0.5 * strength);
            if (shading::bayer(x, y) < fade) {
                c.set(x, y, k < 3 ? glowRamp[5] : (k < len / 3 ? glowRamp[4] : glowRamp[3]));
            }
        }
    }
}

// Night over the ice: no horizon, no ground, only sky, so it can stand behind a climb.
Canvas polarNight() {
    Rng rng("bg7");
    Canvas c(640, 480);
    scenery::verticalGradient(c, 0, 480, {pal::violet[0], pal::sky[0], pal::sky[1], pal::sky[1], pal::violet[2]});
    scenery::stars(c, rng, 0, 0, 640, 480, 320, pal::violet[4], pal::white);
    curtains(c, rng, 70, 36, pal::crystal);
    curtains(c, rng, 210, 24,
             scenery::ramp(pal::violet[2], pal::violet[3], pal::violet[4], pal::dusk[3], pal::dusk[4], pal::dusk[5]));
    scenery::moon(c, 520, 96, 22, pal::white, snow[3], snow[2], pal::violet[4]);
    return c;
}

// ---- ledges and ground

struct Outline {
    std::vector<int> top;
    std::vector<int> bottom;
    bool solid(int x, int y) const {
        if (x < 0 || x >= static_cast<int>(top.size())) {
            return false;
        }
        return y >= top[static_cast<size_t>(x)] && y <= bottom[static_cast<size_t>(x)];
    }
};

// A floating slab: rounded top corners, a rough underside tucked in at both ends and icicles
// hanging from it to the picture's last row.
Outline ledgeOutline(int w, Rng& rng) {
    Outline o;
    o.top.assign(static_cast<size_t>(w), 0);
    o.bottom.assign(static_cast<size_t>(w), 0);
    const int base = 20;
    for (int x = 0; x < w; ++x) {
        o.bottom[static_cast<size_t>(x)] = base + rng.range(0, 2);
    }
    for (int x = 6; x < w - 6; x += rng.range(7, 15)) {
        const int len = rng.range(4, kLedgeHeight - 1 - base);
        for (int k = -1; k <= 1; ++k) {
            const size_t i = static_cast<size_t>(x + k);
            o.bottom[i] = std::max(o.bottom[i], base + (k == 0 ? len : len / 3));
        }
    }
    const int roundTop[] = {2, 1};
    const int tuck[] = {9, 6, 4, 2, 1};
    for (int i = 0; i < 5 && i < w / 2; ++i) {
        if (i < 2) {
            o.top[static_cast<size_t>(i)] = roundTop[i];
            o.top[static_cast<size_t>(w - 1 - i)] = roundTop[i];
        }
        o.bottom[static_cast<size_t>(i)] = std::min(o.bottom[static_cast<size_t>(i)], base - tuck[i]);
        o.bottom[static_cast<size_t>(w - 1 - i)] = std::min(o.bottom[static_cast<size_t>(w - 1 - i)], base - tuck[i]);
    }
    return o;
}

// Where the snow ends in each column: a ragged edge that repeats with the ground's period.
std::vector<int> snowEdge(int w, const ValueNoise& drift) {
    std::vector<int> edge(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x) {
        edge[static_cast<size_t>(x)] = kSnowDepth + static_cast<int>(drift.fractal(x, 3.5, 2) * 5.0);
    }
    return edge;
}

Rgba snowAt(int x, int d, int edge) {
    if (d == 0) {
        return snow[5];
    }
    const double t = 1.0 - static_cast<double>(d) / edge;
    return shading::rampAt(snow, 1, 5, t * 0.9 + 0.1, x, d, 0.5);
}

Canvas frostLedge(int w) {
    Rng rng("frost_ledge" + std::to_string(w));
    Outline o = ledgeOutline(w, rng);
    ValueNoise rock(rng.next(), 10.0);
    ValueNoise drift(rng.next(), 16.0);
    const std::vector<int> edge = snowEdge(w, drift);
    Canvas c(w, kLedgeHeight);
    for (int y = 0; y < kLedgeHeight; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!o.solid(x, y)) {
                continue;
            }
            const int d = y - o.top[static_cast<size_t>(x)];
            const int e = edge[static_cast<size_t>(x)];
            Rgba col;
            if (d < e) {
                col = snowAt(x, d, e);
            } else if (d == e) {
                col = ice[2];
            } else if (y > 20) {
                // icicles: light on their left, clear towards the tip
                const bool left = !o.solid(x - 1, y);
                col = left ? ice[5] : shading::rampAt(ice, 2, 4, 1.0 - (y - 20) / 12.0, x, y);
            } else {
                const double t = 0.85 - (y - e) / 16.0 + (rock.fractal(x, y * 1.5, 3) - 0.5) * 0.6;
                col = shading::rampAt(ice, 1, 4, t, x, y);
            }
            c.set(x, y, col);
        }
    }
    for (int y = 0; y < kLedgeHeight; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool edgePixel =
                o.solid(x, y) && (!o.solid(x - 1, y) || !o.solid(x + 1, y) || !o.solid(x, y - 1) || !o.solid(x, y + 1));
            if (edgePixel) {
                c.set(x, y, y <= o.top[static_cast<size_t>(x)] ? snow[1] : pal::ink);
            }
        }
    }
    return c;
}

// Frozen ground: snow over dark packed ice and rock. Nothing in it depends on the tile's own
// width except where stones sit, and those keep clear of the sides, so any two tiles join.
Canvas frostGround(int w) {
    Rng rng("frost_ground" + std::to_string(w));
    ValueNoise rock(0x5f0a11u, 16.0, kGroundPeriod);
    ValueNoise drift(0x5f0a12u, 16.0, kGroundPeriod);
    ValueNoise strata(0x5f0a13u, 32.0, kGroundPeriod);
    const std::vector<int> edge = snowEdge(w, drift);
    Canvas c(w, kGroundHeight);
    for (int y = 0; y < kGroundHeight; ++y) {
        for (int x = 0; x < w; ++x) {
            const int e = edge[static_cast<size_t>(x)];
            Rgba col;
            if (y == 0) {
                col = snow[1];
            } else if (y < e) {
                col = snowAt(x, y, e);
            } else if (y == e) {
                col = ice[1];
            } else {
                const double layer = y + strata.at(x, 0.5) * 5.0;
                const bool seam = static_cast<int>(layer) % 26 == 0;
                const double t =
                    0.8 - static_cast<double>(y) / kGroundHeight * 0.75 + (rock.fractal(x, y * 1.4, 3) - 0.5) * 0.55;
                col = seam ? ice[0] : shading::rampAt(ice, 0, 3, t, x, y);
            }
            c.set(x, y, col);
        }
    }
    // frozen stones and pockets of clear ice, kept off the sides
    for (int i = 0; i < w / 40; ++i) {
        const int x = rng.range(10, w - 11);
        const int y = rng.range(24, kGroundHeight - 10);
        const int rx = rng.range(3, 6);
        const int ry = rng.range(2, 3);
        Canvas mask(w, kGroundHeight);
        mask.fillEllipse(x, y, rx, ry, pal::white);
        Canvas shaded = shading::shade(mask, rng.chance(0.5) ? pal::stone : ice, 2, 4);
        shaded.outline(ice[0]);
        c.blit(shaded, 0, 0);
    }
    return c;
}

// ---- scenery

// Fades the lowest rows of a far picture out into the air, so it never seems to stand on
// anything.
void mistBelow(Canvas& c, int from) {
    for (int y = from; y < c.height(); ++y) {
        const double gone = static_cast<double>(y - from) / (c.height() - from);
        for (int x = 0; x < c.width(); ++x) {
            if (shading::bayer(x, y) < gone) {
                c.set(x, y, kClear);
            }
        }
    }
}

// Fades both sides of a far strip out into the air over `margin` columns. Strips laid side by
// side at different heights then meet in a misty gap, not at a peak cut off by a vertical edge.
void mistAtSides(Canvas& c, int margin) {
    for (int d = 0; d < margin; ++d) {
        const double gone = 1.0 - (d + 0.5) / margin;
        for (int y = 0; y < c.height(); ++y) {
            for (int x : {d, c.width() - 1 - d}) {
                if (shading::bayer(x, y) < gone) {
                    c.set(x, y, kClear);
                }
            }
        }
    }
}

Canvas farPeaks() {
    Rng rng("deco_frost_peaks");
    Canvas c(640, 220);
    scenery::mountainRange(c, rng, 190, 6, 90, 170, {ice[3], ice[2], snow[2], snow[1], ice[2]}, 40, 200);
    mistBelow(c, 150);
    mistAtSides(c, kPeaksSideMist);
    return c;
}

Canvas farPines() {
    Rng rng("deco_frost_pines");
    Canvas c(320, 96);
    for (int x = 4; x < 316; x += rng.range(9, 20)) {
        const int h = rng.range(36, 80);
        scenery::pine(c, x, 96, h, ice[3], snow[2]);
    }
    mistBelow(c, 50);
    return c;
}

Canvas snowyPine() {
    Rng rng("deco_frost_pine");
    constexpr int kW = 72;
    constexpr int kH = 150;
    Canvas tree(kW, kH);
    Canvas snowMask(kW, kH);
    for (int t = 0; t < 6; ++t) {
        const double top = 4 + t * 19.0;
        const double bottom = top + 30;
        const double half = 8 + t * 4.6;
        std::vector<PointF> tier{{kW / 2.0, top}};
        const int teeth = 4 + t;
        for (int k = 0; k <= teeth; ++k) {
            const double u = static_cast<double>(k) / teeth;
            tier.push_back({kW / 2.0 + half - 2 * half * u, bottom - (k % 2 == 0 ? 0.0 : 4.0) + rng.range(-1, 1)});
        }
        tree.fillPolygon(tier, pal::white);
        // snow lies on the upper part of each tier
        std::vector<PointF> cap{{kW / 2.0, top},
                                {kW / 2.0 + half * 0.8, top + 20},
                                {kW / 2.0, top + 12},
                                {kW / 2.0 - half * 0.8, top + 20}};
        snowMask.fillPolygon(cap, pal::white);
    }
    Canvas c(kW, kH);
    Canvas trunk(kW, kH);
    trunk.fillRect(kW / 2 - 3, 124, 6, 26, pal::white);
    c.blit(shading::shade(trunk, pal::earth, 1, 3), 0, 0);
    shading::Light light;
    light.spread = 0.7;
    c.blit(shading::shade(tree, pal::green, 0, 3, light), 0, 0);
    Canvas lying(kW, kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (snowMask.filled(x, y) && tree.filled(x, y)) {
                lying.set(x, y, pal::white);
            }
        }
    }
    c.blit(shading::shade(lying, snow, 2, 5, light), 0, 0);
    c.outline(pal::ink);
    return c;
}

Canvas snowyBoulder() {
    constexpr int kW = 72;
    constexpr int kH = 44;
    Canvas body(kW, kH);
    body.fillEllipse(36, 30, 32, 14, pal::white);
    body.fillEllipse(26, 24, 18, 14, pal::white);
    Canvas cap(kW, kH);
    cap.fillEllipse(28, 14, 20, 6, pal::white);
    cap.fillEllipse(46, 19, 16, 5, pal::white);
    Canvas c = shading::shade(body, pal::stone, 1, 4);
    Canvas lying(kW, kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (cap.filled(x, y) && body.filled(x, y)) {
                lying.set(x, y, pal::white);
            }
        }
    }
    c.blit(shading::shade(lying, snow, 3, 5), 0, 0);
    c.outline(pal::ink);
    return c;
}

// Flakes drifting in front of everything: small, scattered and see-through.
Canvas driftingSnow() {
    Rng rng("deco_frost_snow");
    Canvas c(320, 240);
    for (int i = 0; i < 70; ++i) {
        const int x = rng.range(2, 317);
        const int y = rng.range(2, 237);
        const bool big = rng.chance(0.25);
        const Rgba flake = withAlpha(snow[5], static_cast<uint8_t>(big ? 220 : 150));
        c.set(x, y, flake);
        if (big) {
            const Rgba arm = withAlpha(snow[4], 120);
            c.set(x - 1, y, arm);
            c.set(x + 1, y, arm);
            c.set(x, y - 1, arm);
            c.set(x, y + 1, arm);
        }
    }
    return c;
}

// An icy lantern post for dark stretches: a frosted pole with a cold blue flame and its glow.
Canvas iceLantern() {
    constexpr int kW = 48;
    constexpr int kH = 96;
    Canvas c(kW, kH);
    scenery::glow(c, 24, 26, 22, 22, pal::crystal[4], 4, 28);
    Canvas pole(kW, kH);
    pole.fillRect(22, 36, 4, 58, pal::white);
    pole.fillRect(16, 90, 16, 6, pal::white);
    Canvas shadedPole = shading::shade(pole, ice, 1, 4);
    shadedPole.outline(pal::ink);
    c.blit(shadedPole, 0, 0);
    Canvas cage(kW, kH);
    cage.fillRect(16, 16, 16, 20, pal::white);
    Canvas shadedCage = shading::shade(cage, ice, 0, 2);
    shadedCage.fillRect(18, 18, 12, 16, pal::crystal[3]);
    shadedCage.fillRect(21, 21, 6, 10, pal::crystal[5]);
    shadedCage.fillRect(23, 18, 2, 16, ice[0]);
    shadedCage.outline(pal::ink);
    c.blit(shadedCage, 0, 0);
    Canvas roof(kW, kH);
    roof.fillPolygon({{12, 16}, {24, 7}, {36, 16}}, pal::white);
    Canvas shadedRoof = shading::shade(roof, snow, 2, 5);
    shadedRoof.outline(pal::ink);
    c.blit(shadedRoof, 0, 0);
    return c;
}

}  // namespace

void addFrostPictures(std::vector<PictureJob>& jobs) {
    jobs.push_back({"sprites/bg7.png", polarNight});
    for (int w : kLedgeWidths) {
        jobs.push_back({"sprites/frost_ledge_" + std::to_string(w) + ".png", [w] { return frostLedge(w); }});
    }
    for (int w : kGroundWidths) {
        jobs.push_back({"sprites/frost_ground_" + std::to_string(w) + ".png", [w] { return frostGround(w); }});
    }
    jobs.push_back({"sprites/deco_frost_peaks.png", farPeaks});
    jobs.push_back({"sprites/deco_frost_pines.png", farPines});
    jobs.push_back({"sprites/deco_frost_pine.png", snowyPine});
    jobs.push_back({"sprites/deco_frost_boulder.png", snowyBoulder});
    jobs.push_back({"sprites/deco_frost_snow.png", driftingSnow});
    jobs.push_back({"sprites/deco_frost_lantern.png", iceLantern});
}
