// Scenery pictures the levels place as decorations: far strips for parallax (they tile left to
// right), near props, and front pieces drawn over the player. Far pieces carry no ink outline
// so they sit back; near and front ones are outlined like the characters.
#include "DecorationArt.h"

#include "AssetList.h"
#include "DetMath.h"
#include "Noise.h"
#include "Palette.h"
#include "PixelFont.h"
#include "Scenery.h"
#include "Shading.h"

#include <algorithm>
#include <functional>
#include <string>

namespace {

// ---- far

Canvas farHills() {
    Rng rng("deco_hills");
    Canvas c(640, 160);
    std::vector<int> back = scenery::rollingRidge(640, rng, 60, 26, 2);
    scenery::hillLayer(c, back, pal::haze[5], pal::haze[4], pal::haze[3], 70);
    scenery::treeLine(c, back, rng, pal::haze[3], pal::haze[4], 14, 0.4);
    std::vector<int> front = scenery::rollingRidge(640, rng, 104, 22, 1);
    scenery::hillLayer(c, front, pal::green[4], pal::haze[3], pal::haze[2], 60);
    scenery::treeLine(c, front, rng, pal::haze[2], pal::green[3], 20, 0.35);
    return c;
}

Canvas farMountains() {
    Rng rng("deco_mountains");
    Canvas c(640, 240);
    scenery::mountainRange(c, rng, 200, 5, 110, 190,
                           {pal::violet[4], pal::violet[3], pal::white, pal::violet[5], pal::violet[3]}, 34, 200);
    scenery::mountainRange(c, rng, 228, 8, 40, 80,
                           {pal::haze[4], pal::haze[3], pal::haze[5], pal::haze[4], pal::haze[3]}, 10, 214);
    return c;
}

// Clouds drift over every sky, morning blue to dusk: a neutral body and a see-through
// underside that takes the colour of whatever sky lies behind it.
Canvas cloudPicture(const char* name, int w, int h, int bodyH) {
    Rng rng(name);
    Canvas c(w, h);
    scenery::cloud(c, 4, h - 3, w - 8, bodyH, rng, {pal::white, hex(0xe6e7ef), withAlpha(hex(0xd4d6e2), 150)});
    return c;
}

Canvas caveCeiling() {
    Rng rng("deco_stalactites");
    constexpr int kW = 640;
    constexpr int kH = 128;
    Canvas c(kW, kH);
    std::vector<int> edge(static_cast<size_t>(kW));
    ValueNoise ceiling(rng.next(), 64.0, kW);
    for (int x = 0; x < kW; ++x) {
        edge[static_cast<size_t>(x)] = 12 + static_cast<int>(ceiling.fractal(x, 0.5, 3) * 16);
    }
    for (int x = rng.range(0, 8); x < kW - 6;) {
        int wdt = rng.range(7, 26);
        int len = rng.chance(0.3) ? rng.range(60, 110) : rng.range(12, 50);
        for (int i = 0; i < wdt && x + i < kW; ++i) {
            double u = (i + 0.5) / wdt;
            double profile = 1.0 - (2.0 * u - 1.0) * (2.0 * u - 1.0);
            edge[static_cast<size_t>(x + i)] += static_cast<int>(len * profile * profile * profile);
        }
        x += wdt + rng.range(0, 16);
    }
    for (int x = 0; x < kW; ++x) {
        edge[static_cast<size_t>(x)] = std::min(kH - 1, edge[static_cast<size_t>(x)]);
    }
    scenery::fillAbove(c, edge, [&](int x, int y, int depth) {
        bool leftLit = x > 0 && edge[static_cast<size_t>(x - 1)] < y;
        if (depth == 0) {
            return pal::stone[2];
        }
        if (leftLit) {
            return pal::stone[2];
        }
        return depth < 3 ? pal::stone[1] : (shading::bayer(x, y) < 0.15 ? pal::stone[1] : pal::stone[0]);
    });
    return c;
}

// Far ruins: pale, soft-edged and rising out of the evening mist, so they stand on nothing
// the player could walk to.
Canvas ruinsGroup() {
    Rng rng("deco_ruins");
    constexpr int kH = 224;
    constexpr int kMist = 70;  // rows at the bottom that fade away
    Canvas c(320, kH);
    int ground = kH;
    scenery::ruinTower(c, 20, ground, 44, 200, rng, pal::dusk[2], pal::dusk[3], pal::fire[3]);
    scenery::ruinArch(c, 70, ground, 120, 100, pal::dusk[2], pal::dusk[3]);
    scenery::ruinTower(c, 196, ground, 30, 130, rng, pal::dusk[2], pal::dusk[3], pal::fire[3]);
    scenery::ruinTower(c, 240, ground, 56, 170, rng, pal::dusk[2], pal::dusk[3], pal::fire[3]);
    for (int y = kH - kMist; y < kH; ++y) {
        double thin = static_cast<double>(y - (kH - kMist)) / kMist;
        for (int x = 0; x < c.width(); ++x) {
            if (shading::bayer(x, y) < thin) {
                c.set(x, y, kClear);
            }
        }
    }
    return c;
}

Canvas moonPicture() {
    Canvas c(96, 96);
    scenery::moon(c, 48, 48, 20, pal::white, pal::violet[5], pal::violet[4], pal::violet[5]);
    return c;
}

// A far island drifting high up: small, hazy and flat-shaded, with a rounded hill on top and
// no ledge to land on, so nobody mistakes it for a platform.
Canvas floatingIsland() {
    Rng rng("deco_island");
    constexpr int kW = 112;
    constexpr int kH = 80;
    constexpr int kRim = 34;  // where the hill meets the rock below
    const Rgba hill = hex(0x9fb8c4);
    const Rgba hillLit = hex(0xc3d6dc);
    const Rgba rockLit = hex(0xa7a9c6);
    const Rgba rock = hex(0x8c8db0);
    const Rgba rockLow = hex(0x7b7ca2);
    Canvas shape(kW, kH);
    std::vector<PointF> underside{{8, kRim + 0.0}};
    for (int i = 1; i < 10; ++i) {
        double u = i / 10.0;
        double depth = 38.0 * (1.0 - (2 * u - 1) * (2 * u - 1)) + rng.range(-3, 3);
        underside.push_back({8 + u * (kW - 16), kRim + 2.0 + depth});
    }
    underside.push_back({kW - 8.0, kRim + 0.0});
    shape.fillPolygon(underside, pal::white);
    Canvas dome(kW, kH);
    dome.fillEllipse(kW / 2.0, kRim + 2.0, kW / 2.0 - 8, 22.0, pal::white);
    Canvas c(kW, kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            bool onDome = dome.filled(x, y) && y <= kRim + 2;
            if (onDome) {
                bool crest = !dome.filled(x, y - 1) || !dome.filled(x - 1, y);
                c.set(x, y, crest ? hillLit : hill);
            } else if (shape.filled(x, y)) {
                bool lit = !shape.filled(x - 2, y);
                c.set(x, y, lit ? rockLit : (y > kRim + 20 && shading::bayer(x, y) < 0.5 ? rockLow : rock));
            }
        }
    }
    // a few far trees on the hill, barely darker than it
    for (int i = 0; i < 4; ++i) {
        int x = rng.range(30, kW - 30);
        int top = 0;
        while (top < kH && !dome.filled(x, top)) {
            ++top;
        }
        c.fillEllipse(x, top - 3.0, 4.0, 5.0, hex(0x8aa6b4));
    }
    return c;
}

// ---- near

Canvas treePicture() {
    Rng rng("deco_tree");
    Canvas c(128, 192);
    scenery::broadTree(c, 64, 189, 180, rng, pal::green, pal::earth);
    return c;
}

Canvas pinePicture() {
    Rng rng("deco_pine");
    constexpr int kW = 64;
    constexpr int kH = 144;
    Canvas mask(kW, kH);
    int tiers = 6;
    for (int t = 0; t < tiers; ++t) {
        double top = 4 + t * 19.0;
        double bottom = top + 30;
        double half = 7 + t * 4.2;
        std::vector<PointF> tier{{kW / 2.0, top}};
        int teeth = 4 + t;
        for (int k = 0; k <= teeth; ++k) {
            double u = static_cast<double>(k) / teeth;
            double x = kW / 2.0 + half - 2 * half * u;
            tier.push_back({x + (k == 0 ? 1.0 : 0.0), bottom - (k % 2 == 0 ? 0.0 : 4.0) + rng.range(-1, 1)});
        }
        mask.fillPolygon(tier, pal::white);
    }
    Canvas c(kW, kH);
    Canvas trunk(kW, kH);
    trunk.fillRect(kW / 2 - 3, 120, 6, 24, pal::white);
    c.blit(shading::shade(trunk, pal::earth, 1, 3), 0, 0);
    shading::Light light;
    light.spread = 0.7;
    c.blit(shading::shade(mask, pal::green, 1, 4, light), 0, 0);
    c.outline(pal::ink);
    return c;
}

Canvas bushPicture() {
    Rng rng("deco_bush");
    Canvas mask(64, 40);
    mask.fillEllipse(20, 26, 16, 13, pal::white);
    mask.fillEllipse(38, 22, 17, 16, pal::white);
    mask.fillEllipse(50, 29, 11, 10, pal::white);
    mask.fillRect(6, 30, 54, 10, pal::white);
    Canvas c = shading::shade(mask, pal::green, 1, 5);
    // leaf clusters catch the light on top
    for (int i = 0; i < 40; ++i) {
        int x = rng.range(6, 58);
        int y = rng.range(8, 30);
        if (mask.filled(x, y) && mask.filled(x + 1, y + 1) && c.at(x, y) != pal::green[1]) {
            c.set(x, y, pal::green[5]);
            c.set(x + 1, y + 1, pal::green[3]);
        }
    }
    const int berries[][2] = {{16, 24}, {30, 16}, {44, 27}, {52, 22}, {24, 31}};
    for (const auto& b : berries) {
        c.set(b[0], b[1], pal::crimson[4]);
        c.set(b[0] + 1, b[1], pal::crimson[3]);
        c.set(b[0], b[1] - 1, pal::crimson[5]);
    }
    for (int x = 0; x < 64; ++x) {
        c.set(x, 39, kClear);
    }
    c.outline(pal::ink);
    return c;
}

Canvas rockPicture() {
    Canvas mask(64, 48);
    mask.fillPolygon({{4, 47}, {6, 30}, {14, 16}, {28, 8}, {44, 10}, {55, 20}, {60, 34}, {60, 47}}, pal::white);
    Canvas c = shading::shade(mask, pal::stone, 1, 5);
    // cracks
    c.line(30, 14, 26, 26, pal::stone[1]);
    c.line(26, 26, 30, 34, pal::stone[1]);
    c.line(46, 22, 50, 34, pal::stone[1]);
    // moss on the crown
    for (int x = 8; x < 58; ++x) {
        int top = 0;
        while (top < 48 && !mask.filled(x, top)) {
            ++top;
        }
        int depth = 2 + (x % 5 == 0 ? 3 : (x % 3 == 0 ? 1 : 0));
        for (int k = 0; k < depth; ++k) {
            c.set(x, top + k, k == 0 ? pal::green[4] : pal::green[3]);
        }
    }
    c.outline(pal::ink);
    return c;
}

Canvas crystalPicture() {
    constexpr int kS = 64;
    Canvas c(kS, kS);
    scenery::glow(c, 32, 40, 30, 24, pal::crystal[3], 3, 24);
    struct Shard {
        double x;
        double h;
        double w;
        double lean;
    };
    const Shard shards[] = {{18, 30, 6, -9}, {44, 28, 6, 8}, {26, 46, 8, -3}, {37, 38, 7, 4}, {32, 22, 5, 0}};
    Canvas all(kS, kS);
    for (const Shard& s : shards) {
        double base = 60;
        PointF tip{s.x + s.lean, base - s.h};
        Canvas left(kS, kS);
        left.fillPolygon({{s.x - s.w, base}, {s.x - s.w * 0.8 + s.lean * 0.8, base - s.h * 0.8}, tip, {s.x, base}},
                         pal::white);
        Canvas right(kS, kS);
        right.fillPolygon({{s.x, base}, tip, {s.x + s.w * 0.8 + s.lean * 0.8, base - s.h * 0.8}, {s.x + s.w, base}},
                          pal::white);
        Canvas shard(kS, kS);
        for (int y = 0; y < kS; ++y) {
            for (int x = 0; x < kS; ++x) {
                if (left.filled(x, y)) {
                    shard.set(x, y, shading::rampAt(pal::crystal, 3, 5, 1.0 - (y - tip.y) / s.h * 0.8, x, y));
                } else if (right.filled(x, y)) {
                    shard.set(x, y, shading::rampAt(pal::crystal, 1, 3, 1.0 - (y - tip.y) / s.h, x, y));
                }
            }
        }
        shard.outline(pal::crystal[0]);
        all.blit(shard, 0, 0);
    }
    c.blit(all, 0, 0);
    // rock the cluster grows from
    Canvas rock(kS, kS);
    rock.fillEllipse(32, 62, 26, 6, pal::white);
    Canvas rockShaded = shading::shade(rock, pal::stone, 1, 3);
    rockShaded.outline(pal::ink);
    c.blit(rockShaded, 0, 0);
    c.set(30, 16, pal::white);
    c.set(12, 30, pal::white);
    c.set(52, 24, pal::white);
    return c;
}

Canvas mushroomPicture() {
    constexpr int kW = 64;
    constexpr int kH = 40;
    Canvas c(kW, kH);
    struct Cap {
        double x;
        double stem;
        double r;
    };
    const Cap caps[] = {{16, 14, 9}, {36, 22, 12}, {52, 10, 7}, {27, 8, 6}};
    scenery::glow(c, 34, 20, 30, 18, pal::dusk[4], 2, 22);
    for (const Cap& k : caps) {
        double base = kH - 2;
        Canvas stem(kW, kH);
        stem.fillRect(static_cast<int>(k.x - k.r * 0.25), static_cast<int>(base - k.stem),
                      static_cast<int>(k.r * 0.5) + 1, static_cast<int>(k.stem), pal::white);
        Canvas stemShaded = shading::shade(stem, pal::sand, 3, 5);
        stemShaded.outline(pal::ink);
        c.blit(stemShaded, 0, 0);
        Canvas cap(kW, kH);
        cap.fillEllipse(k.x, base - k.stem, k.r, k.r * 0.7, pal::white);
        for (int y = static_cast<int>(base - k.stem) + 1; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                cap.set(x, y, kClear);
            }
        }
        Canvas capShaded = shading::shade(cap, pal::dusk, 2, 5);
        // glowing spots
        capShaded.set(static_cast<int>(k.x - k.r * 0.4), static_cast<int>(base - k.stem - k.r * 0.35), pal::white);
        capShaded.set(static_cast<int>(k.x + k.r * 0.3), static_cast<int>(base - k.stem - k.r * 0.5), pal::crystal[5]);
        capShaded.set(static_cast<int>(k.x + k.r * 0.1), static_cast<int>(base - k.stem - k.r * 0.15), pal::crystal[5]);
        capShaded.outline(pal::ink);
        c.blit(capShaded, 0, 0);
    }
    return c;
}

Canvas columnPicture() {
    Rng rng("deco_column");
    constexpr int kW = 48;
    constexpr int kH = 160;
    Canvas mask(kW, kH);
    // broken shaft
    std::vector<PointF> shaft{{10, kH - 14.0}, {10, 30}, {16, 22}, {21, 27},
                              {27, 14},        {32, 20}, {38, 18}, {38, kH - 14.0}};
    mask.fillPolygon(shaft, pal::white);
    Canvas c(kW, kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (!mask.filled(x, y)) {
                continue;
            }
            // flutes: light ridges between dark grooves
            int flute = (x - 10) % 6;
            double t = 0.75 - (x - 10) / 28.0 * 0.5;
            if (flute == 0) {
                t -= 0.3;
            } else if (flute == 1) {
                t += 0.15;
            }
            c.set(x, y, shading::rampAt(pal::sand, 1, 5, t, x, y));
        }
    }
    // plinth
    Canvas plinth(kW, kH);
    plinth.fillRect(4, kH - 14, 40, 8, pal::white);
    plinth.fillRect(2, kH - 6, 44, 6, pal::white);
    c.blit(shading::shade(plinth, pal::sand, 1, 5), 0, 0);
    c.fillRect(4, kH - 7, 40, 1, pal::sand[1]);
    // ivy climbing the shaft
    int x = 14;
    for (int y = kH - 16; y > 60; --y) {
        if (rng.chance(0.3)) {
            x += rng.chance(0.5) ? 1 : -1;
        }
        x = std::max(11, std::min(36, x));
        c.set(x, y, pal::green[2]);
        if (y % 5 == 0) {
            c.set(x + 1, y, pal::green[4]);
            c.set(x + 1, y - 1, pal::green[3]);
        }
        if (y % 7 == 3) {
            c.set(x - 1, y, pal::green[3]);
        }
    }
    c.outline(pal::ink);
    return c;
}

// Fire colour at (x, y) of a light centred on (cx, cy) that fades out over (rx, ry); `lo` is
// the darkest fire colour used, `warmth` lifts the whole light.
Rgba flameAt(int x, int y, double cx, double cy, double rx, double ry, int lo, double warmth) {
    double dx = (x - cx) / rx;
    double dy = (y - cy) / ry;
    double heat = 1.0 - detmath::sqrt(dx * dx + dy * dy);
    return shading::rampAt(pal::fire, lo, 5, heat + warmth, x, y);
}

Canvas lanternPicture() {
    constexpr int kW = 32;
    constexpr int kH = 80;
    Canvas c(kW, kH);
    scenery::glow(c, 15.5, 18, 15, 15, pal::fire[4], 3, 30);
    Canvas post(kW, kH);
    post.fillRect(14, 30, 4, 46, pal::white);
    post.fillRect(10, 74, 12, 6, pal::white);
    post.fillRect(11, 28, 10, 3, pal::white);
    c.blit(shading::shade(post, pal::stone, 0, 3), 0, 0);
    // lamp: iron cap, glass with a flame, base
    Canvas cage(kW, kH);
    cage.fillPolygon({{9, 10}, {16, 4}, {23, 10}}, pal::white);
    cage.fillRect(10, 10, 12, 16, pal::white);
    cage.fillRect(9, 26, 14, 3, pal::white);
    Canvas cageShaded = shading::shade(cage, pal::gold, 0, 3);
    for (int y = 12; y < 25; ++y) {
        for (int x = 12; x < 20; ++x) {
            cageShaded.set(x, y, flameAt(x, y, 15.5, 19.0, 4.0, 7.0, 3, 0.3));
        }
    }
    for (int y = 12; y < 25; ++y) {
        cageShaded.set(15, y, pal::gold[0]);
        cageShaded.set(16, y, pal::gold[1]);
    }
    cageShaded.set(16, 3, pal::gold[2]);
    cageShaded.set(16, 2, pal::gold[1]);
    c.blit(cageShaded, 0, 0);
    Canvas outlined(kW, kH);
    outlined.blit(post, 0, 0);
    outlined.blit(cage, 0, 0);
    outlined.set(16, 2, pal::white);
    outlined.set(16, 3, pal::white);
    outlined.outline(pal::ink);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (outlined.at(x, y) == pal::ink) {
                c.set(x, y, pal::ink);
            }
        }
    }
    return c;
}

// A paper lantern let go into the evening sky: it floats, so it hangs on nothing.
Canvas skyLanternPicture() {
    constexpr int kW = 32;
    constexpr int kH = 40;
    Canvas c(kW, kH);
    scenery::glow(c, 15.5, 18, 15, 17, pal::fire[4], 3, 26);
    Canvas paper(kW, kH);
    paper.fillPolygon({{10, 8}, {22, 8}, {24, 26}, {8, 26}}, pal::white);
    paper.fillEllipse(16, 8, 6, 3, pal::white);
    Canvas lit(kW, kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (paper.filled(x, y)) {
                lit.set(x, y, flameAt(x, y, 16.0, 22.0, 8.0, 14.0, 2, 0.2));
            }
        }
    }
    // the frame's ribs and the flame's opening at the bottom
    for (int y = 9; y < 26; ++y) {
        lit.set(16, y, pal::fire[2]);
    }
    lit.fillRect(12, 26, 8, 2, pal::fire[1]);
    lit.set(16, 28, pal::fire[5]);
    lit.outline(pal::fire[0]);
    c.blit(lit, 0, 0);
    return c;
}

Canvas flowersPicture() {
    Rng rng("deco_flowers");
    constexpr int kW = 64;
    constexpr int kH = 32;
    Canvas c(kW, kH);
    for (int i = 0; i < 9; ++i) {
        int x = 4 + i * 7 + rng.range(-2, 2);
        int h = rng.range(10, 24);
        int sway = rng.range(-2, 2);
        c.line(x, kH - 1, x + sway, kH - h, pal::green[2]);
        c.set(x - 1, kH - h / 2, pal::green[3]);
        c.set(x + 1, kH - h / 3, pal::green[4]);
        const Rgba petals[] = {pal::white, pal::gold[4], pal::dusk[5], pal::sky[4], pal::crimson[5]};
        Rgba petal = petals[rng.range(0, 4)];
        int fx = x + sway;
        int fy = kH - h;
        c.set(fx - 1, fy, petal);
        c.set(fx + 1, fy, petal);
        c.set(fx, fy - 1, petal);
        c.set(fx, fy + 1, petal);
        c.set(fx, fy, pal::gold[3]);
    }
    for (int x = 0; x < kW; ++x) {
        int h = 2 + (x * 5 % 7) / 2;
        for (int k = 0; k < h; ++k) {
            c.set(x, kH - 1 - k, k == h - 1 ? pal::green[4] : pal::green[3]);
        }
    }
    c.outline(pal::ink);
    return c;
}

// ---- front

Canvas grassTufts() {
    Rng rng("deco_grass");
    constexpr int kW = 96;
    constexpr int kH = 32;
    Canvas c(kW, kH);
    for (int i = 0; i < 40; ++i) {
        int x = rng.range(2, kW - 3);
        int h = rng.range(8, kH - 1);
        double bend = (rng.unit() - 0.5) * 10.0;
        Rgba col = rng.chance(0.5) ? pal::green[1] : pal::green[2];
        for (int k = 0; k < h; ++k) {
            double u = static_cast<double>(k) / h;
            int bx = x + static_cast<int>(bend * u * u);
            int wdt = k < h / 3 ? 2 : 1;
            c.fillRect(bx, kH - 1 - k, wdt, 1, k > h - 3 ? pal::green[3] : col);
        }
    }
    c.outline(pal::ink);
    return c;
}

Canvas hangingVines() {
    Rng rng("deco_vines");
    constexpr int kW = 64;
    constexpr int kH = 160;
    Canvas c(kW, kH);
    const int strands[][2] = {{8, 120}, {20, 158}, {33, 90}, {45, 140}, {56, 70}};
    for (const auto& s : strands) {
        double phase = rng.unit() * detmath::kTwoPi;
        for (int y = 0; y < s[1]; ++y) {
            int x = s[0] + static_cast<int>(detmath::floor(2.5 * detmath::sin(y / 14.0 + phase)));
            c.set(x, y, pal::green[1]);
            c.set(x + 1, y, pal::green[2]);
            if (y > 3 && rng.chance(0.16)) {
                bool left = rng.chance(0.5);
                double size = 2.0 + rng.unit() * 1.5;
                int lx = left ? x - 3 : x + 3;
                Canvas leaf(kW, kH);
                leaf.fillEllipse(lx + 0.5, y + 1.0, size, size * 0.7, pal::white);
                c.blit(shading::shade(leaf, pal::green, 2, 5), 0, 0);
                y += 3;
            }
        }
    }
    c.outline(pal::ink);
    return c;
}

Canvas foregroundLeaves() {
    constexpr int kW = 160;
    constexpr int kH = 96;
    Canvas c(kW, kH);
    // a branch reaching in from the top-left with broad dark leaves
    c.line(0, 8, 60, 30, pal::earth[1], 4);
    c.line(60, 30, 130, 34, pal::earth[1], 3);
    c.line(40, 22, 70, 60, pal::earth[1], 2);
    const double leaves[][4] = {{20, 20, 14, 0.6},  {46, 40, 16, 1.2},  {70, 62, 15, 1.5},   {84, 40, 14, 0.9},
                                {104, 34, 15, 0.3}, {126, 42, 13, 1.1}, {140, 28, 12, -0.4}, {30, 44, 12, 1.8},
                                {96, 58, 12, 1.4},  {64, 22, 13, -0.6}};
    for (const auto& l : leaves) {
        double a = l[3];
        double len = l[2];
        double ca = detmath::cos(a);
        double sa = detmath::sin(a);
        Canvas leaf(kW, kH);
        std::vector<PointF> shape;
        for (int k = 0; k <= 12; ++k) {
            double u = k / 12.0;
            double along = u * len * 2 - len;
            double across = detmath::sin(u * detmath::kPi) * len * 0.45;
            shape.push_back({l[0] + along * ca - across * sa, l[1] + along * sa + across * ca});
        }
        for (int k = 11; k >= 1; --k) {
            double u = k / 12.0;
            double along = u * len * 2 - len;
            double across = -detmath::sin(u * detmath::kPi) * len * 0.45;
            shape.push_back({l[0] + along * ca - across * sa, l[1] + along * sa + across * ca});
        }
        leaf.fillPolygon(shape, pal::white);
        shading::Light light;
        light.spread = 0.6;
        Canvas shaded = shading::shade(leaf, pal::green, 0, 2, light);
        // the midrib
        shaded.line(static_cast<int>(l[0] - len * ca * 0.9), static_cast<int>(l[1] - len * sa * 0.9),
                    static_cast<int>(l[0] + len * ca * 0.9), static_cast<int>(l[1] + len * sa * 0.9), pal::green[0]);
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                if (!leaf.filled(x, y)) {
                    shaded.set(x, y, kClear);
                }
            }
        }
        shaded.outline(pal::ink);
        c.blit(shaded, 0, 0);
    }
    return c;
}

// ---- signs: wooden boards on posts that show the player the keys

constexpr int kSignWidth = 64;
constexpr int kSignHeight = 72;
constexpr int kBoardLeft = 3;
constexpr int kBoardTop = 2;
constexpr int kBoardWidth = 58;
constexpr int kBoardHeight = 38;
constexpr int kCapTop = 7;  // the key caps' row on the board
constexpr int kCapHeight = 14;
constexpr int kWordTop = 27;  // the word under the keys

// The text of the small font painted in one colour, its top-left corner at (x, y).
void lettering(Canvas& c, const std::string& text, int x, int y, Rgba colour) {
    const Canvas mask = PixelFont::small().render(text, 1, 1);
    for (int my = 0; my < mask.height(); ++my) {
        for (int mx = 0; mx < mask.width(); ++mx) {
            if (mask.filled(mx, my)) {
                c.set(x + mx, y + my, colour);
            }
        }
    }
}

int letteringWidth(const std::string& text) {
    return PixelFont::small().textWidth(text, 1, 1);
}

// A keyboard key seen from the front: a light cap over a darker lip, with a dark edge.
void keyCap(Canvas& c, int x, int w) {
    c.fillRect(x + 1, kCapTop, w - 2, kCapHeight, pal::ink);
    c.fillRect(x, kCapTop + 1, w, kCapHeight - 2, pal::ink);
    c.fillRect(x + 1, kCapTop + 1, w - 2, kCapHeight - 2, pal::stone[3]);
    c.fillRect(x + 1, kCapTop + 1, w - 2, kCapHeight - 5, pal::stone[5]);
    c.fillRect(x + 2, kCapTop + 1, w - 4, 1, pal::white);
}

// An arrow on a key cap pointing left (-1) or right (+1).
void arrowCap(Canvas& c, int x, int w, int direction) {
    keyCap(c, x, w);
    const double cx = x + w / 2.0;
    const double cy = kCapTop + 5.5;
    c.fillPolygon({{cx + 3.5 * direction, cy}, {cx - 3.0 * direction, cy - 4.0}, {cx - 3.0 * direction, cy + 4.0}},
                  pal::ink);
}

// A key cap with a word on it, the cap just wide enough.
void wordCap(Canvas& c, const std::string& text) {
    const int w = letteringWidth(text) + 8;
    const int x = (kSignWidth - w) / 2;
    keyCap(c, x, w);
    lettering(c, text, x + 4, kCapTop + 2, pal::ink);
}

// A board of two planks on a post planted in the ground, the keys painted by `keys` and the
// word they do burnt in under them.
Canvas signpost(const std::function<void(Canvas&)>& keys, const std::string& word) {
    Canvas c(kSignWidth, kSignHeight);
    Canvas post(kSignWidth, kSignHeight);
    post.fillRect(kSignWidth / 2 - 3, kBoardTop + kBoardHeight - 2, 6, kSignHeight - kBoardTop - kBoardHeight + 2,
                  pal::white);
    c.blit(shading::shade(post, pal::earth, 1, 3), 0, 0);
    Canvas board(kSignWidth, kSignHeight);
    board.fillRect(kBoardLeft, kBoardTop, kBoardWidth, kBoardHeight, pal::white);
    Canvas planks = shading::shade(board, pal::earth, 2, 4);
    planks.fillRect(kBoardLeft, kBoardTop + kBoardHeight / 2, kBoardWidth, 1, pal::earth[1]);
    c.blit(planks, 0, 0);
    Canvas silhouette(kSignWidth, kSignHeight);
    silhouette.blit(post, 0, 0);
    silhouette.blit(board, 0, 0);
    silhouette.outline(pal::ink);
    for (int y = 0; y < kSignHeight; ++y) {
        for (int x = 0; x < kSignWidth; ++x) {
            if (silhouette.at(x, y) == pal::ink) {
                c.set(x, y, pal::ink);
            }
        }
    }
    keys(c);
    lettering(c, word, (kSignWidth - letteringWidth(word)) / 2, kWordTop, pal::ink);
    return c;
}

Canvas walkSign() {
    return signpost(
        [](Canvas& c) {
            arrowCap(c, 12, 18, -1);
            arrowCap(c, 34, 18, 1);
        },
        "WALK");
}

Canvas jumpSign() {
    return signpost([](Canvas& c) { wordCap(c, "SPACE"); }, "JUMP");
}

Canvas pauseSign() {
    return signpost([](Canvas& c) { wordCap(c, "P"); }, "PAUSE");
}

}  // namespace

Canvas lanternDecoration() {
    return lanternPicture();
}

Canvas grassDecoration() {
    return grassTufts();
}

Canvas treeDecoration() {
    return treePicture();
}

void addDecorationPictures(std::vector<PictureJob>& jobs) {
    jobs.push_back({"sprites/deco_hills.png", farHills});
    jobs.push_back({"sprites/deco_mountains.png", farMountains});
    jobs.push_back({"sprites/deco_cloud.png", [] { return cloudPicture("deco_cloud", 192, 64, 40); }});
    jobs.push_back({"sprites/deco_cloud_small.png", [] { return cloudPicture("deco_cloud_small", 96, 40, 24); }});
    jobs.push_back({"sprites/deco_stalactites.png", caveCeiling});
    jobs.push_back({"sprites/deco_ruins.png", ruinsGroup});
    jobs.push_back({"sprites/deco_moon.png", moonPicture});
    jobs.push_back({"sprites/deco_island.png", floatingIsland});
    jobs.push_back({"sprites/deco_tree.png", treePicture});
    jobs.push_back({"sprites/deco_pine.png", pinePicture});
    jobs.push_back({"sprites/deco_bush.png", bushPicture});
    jobs.push_back({"sprites/deco_rock.png", rockPicture});
    jobs.push_back({"sprites/deco_crystals.png", crystalPicture});
    jobs.push_back({"sprites/deco_mushrooms.png", mushroomPicture});
    jobs.push_back({"sprites/deco_column.png", columnPicture});
    jobs.push_back({"sprites/deco_lantern.png", lanternPicture});
    jobs.push_back({"sprites/deco_sky_lantern.png", skyLanternPicture});
    jobs.push_back({"sprites/deco_flowers.png", flowersPicture});
    jobs.push_back({"sprites/deco_grass.png", grassTufts});
    jobs.push_back({"sprites/deco_vines.png", hangingVines});
    jobs.push_back({"sprites/deco_leaves.png", foregroundLeaves});
    jobs.push_back({"sprites/deco_sign_walk.png", walkSign});
    jobs.push_back({"sprites/deco_sign_jump.png", jumpSign});
    jobs.push_back({"sprites/deco_sign_pause.png", pauseSign});
}
