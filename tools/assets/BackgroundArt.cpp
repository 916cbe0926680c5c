// The six level backgrounds, 640 x 480, fixed behind everything (the view is their size):
// meadow for levels 1-2, caverns for 3-4, dusk ruins and the night sky for 5-6. They hold
// only the farthest layers; the levels add parallax scenery in front of them. Levels 4-6
// scroll up and down while their background stays put, so those three show no ground, water
// or horizon that the player could take for a floor. Below the line where the floor lies on
// screen, the meadow, cavern and dusk pictures fall away into the dark: a pit shows a drop.
#include "AssetList.h"
#include "DetMath.h"
#include "Noise.h"
#include "Palette.h"
#include "Scenery.h"
#include "Shading.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;
// The floor's surface on screen in the levels that stand on these pictures (the view at the
// level's foot); only pits show what lies below it.
constexpr int kFloorLine = 384;    // pixels from the top
constexpr int kFallAwayRows = 24;  // the dithered edge where the scene sinks into the first dark

// Everything below the floor's line sinks into the dark, darker still further down, so a gap
// between platforms reads as a drop with no floor under it.
void fallAway(Canvas& c, const std::vector<Rgba>& depths) {
    for (int y = kFloorLine; y < kFloorLine + kFallAwayRows; ++y) {
        const double sunk = static_cast<double>(y - kFloorLine + 1) / kFallAwayRows;
        for (int x = 0; x < kW; ++x) {
            if (shading::bayer(x, y) < sunk) {
                c.set(x, y, depths.front());
            }
        }
    }
    const int deep = kFloorLine + kFallAwayRows;
    scenery::verticalGradient(c, deep, kH - deep, depths);
}

void birds(Canvas& c, Rng& rng, int x0, int y0, int count, Rgba colour) {
    for (int i = 0; i < count; ++i) {
        int x = x0 + rng.range(0, 60);
        int y = y0 + rng.range(0, 30);
        bool up = rng.chance(0.5);
        c.set(x, y, colour);
        c.set(x - 1, y - (up ? 1 : 0), colour);
        c.set(x + 1, y - (up ? 1 : 0), colour);
        c.set(x - 2, y - (up ? 1 : 1), colour);
        c.set(x + 2, y - (up ? 1 : 1), colour);
    }
}

Canvas meadowMorning() {
    Rng rng("bg1");
    Canvas c(kW, kH);
    scenery::verticalGradient(c, 0, 360, {pal::sky[3], pal::sky[4], pal::sky[4], pal::sky[5]});
    scenery::verticalGradient(c, 360, 120, {pal::sky[5]});
    scenery::sun(c, 128, 84, 20, pal::white, pal::gold[5], pal::gold[5]);
    scenery::CloudColours clouds{pal::white, pal::sky[5], pal::sky[4]};
    scenery::cloud(c, 260, 120, 150, 34, rng, clouds);
    scenery::cloud(c, 470, 80, 110, 26, rng, clouds);
    scenery::cloud(c, 20, 200, 120, 24, rng, clouds);
    scenery::cloud(c, 520, 220, 90, 20, rng, clouds);
    scenery::mountainRange(c, rng, 340, 6, 50, 110, {pal::sky[4], pal::sky[3], pal::white, pal::sky[5], pal::sky[4]},
                           22, 320);
    std::vector<int> hills1 = scenery::rollingRidge(kW, rng, 350, 22, 2);
    scenery::hillLayer(c, hills1, pal::haze[5], pal::haze[4], pal::haze[3], 90);
    scenery::treeLine(c, hills1, rng, pal::haze[3], pal::haze[4], 12, 0.35);
    std::vector<int> hills2 = scenery::rollingRidge(kW, rng, 392, 20, 1);
    scenery::hillLayer(c, hills2, pal::green[4], pal::haze[3], pal::haze[2], 80);
    scenery::treeLine(c, hills2, rng, pal::haze[2], pal::green[3], 18, 0.3);
    birds(c, rng, 380, 150, 3, pal::sky[1]);
    fallAway(c, {pal::haze[0], pal::sky[0], pal::ink});
    return c;
}

Canvas meadowAfternoon() {
    Rng rng("bg2");
    Canvas c(kW, kH);
    scenery::verticalGradient(c, 0, 380, {pal::sky[2], pal::sky[3], pal::sky[4], pal::sand[5], pal::gold[5]});
    scenery::verticalGradient(c, 380, 100, {pal::gold[5]});
    scenery::sun(c, 500, 250, 18, pal::white, pal::gold[5], pal::gold[4]);
    scenery::CloudColours clouds{pal::white, pal::sand[5], pal::sand[4]};
    scenery::cloud(c, 60, 110, 170, 38, rng, clouds);
    scenery::cloud(c, 330, 70, 120, 28, rng, clouds);
    scenery::cloud(c, 420, 170, 90, 20, rng, clouds);
    scenery::mountainRange(c, rng, 380, 4, 120, 200,
                           {pal::violet[4], pal::violet[3], pal::white, pal::violet[5], pal::violet[4]}, 40, 330);
    scenery::mountainRange(c, rng, 395, 7, 30, 70,
                           {pal::haze[4], pal::haze[3], pal::haze[5], pal::haze[4], pal::haze[4]}, 10, 370);
    std::vector<int> hills1 = scenery::rollingRidge(kW, rng, 396, 18, 2);
    scenery::hillLayer(c, hills1, pal::green[5], pal::green[4], pal::green[3], 60);
    scenery::treeLine(c, hills1, rng, pal::green[2], pal::green[4], 16, 0.4);
    birds(c, rng, 200, 190, 4, pal::violet[2]);
    fallAway(c, {pal::green[1], pal::green[0], pal::ink});
    return c;
}

// Rock wall: layered lattice noise stepped through a dark ramp, darker at the edges.
void caveWall(Canvas& c, uint32_t seed, const pal::Ramp& ramp, int lo, int hi) {
    ValueNoise rock(seed, 48.0);
    ValueNoise grain(seed + 1, 7.0);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            double n = rock.fractal(x * 0.5, y * 2.0, 4) * 0.8 + grain.at(x, y) * 0.2;
            double vx = (x - kW / 2.0) / (kW / 2.0);
            double vy = (y - kH * 0.45) / (kH / 2.0);
            double vignette = 1.0 - 0.45 * (vx * vx + vy * vy);
            c.set(x, y, shading::rampAt(ramp, lo, hi, (n - 0.25) * 1.6 * vignette, x, y, 0.4));
        }
    }
}

// Stalactites hanging from a ragged ceiling line, gaps between them.
void hangingRocks(Canvas& c, Rng& rng, int baseY, int amplitude, Rgba body, Rgba rim) {
    std::vector<int> edge(static_cast<size_t>(kW));
    ValueNoise ceiling(rng.next(), 32.0, kW);
    for (int x = 0; x < kW; ++x) {
        edge[static_cast<size_t>(x)] = baseY + static_cast<int>((ceiling.fractal(x, 0.5, 3) - 0.5) * baseY);
    }
    for (int x = rng.range(0, 10); x < kW;) {
        int wdt = rng.range(8, 30);
        int len = rng.chance(0.25) ? rng.range(amplitude * 2 / 3, amplitude) : rng.range(amplitude / 5, amplitude / 2);
        for (int i = 0; i < wdt && x + i < kW; ++i) {
            double u = (i + 0.5) / wdt;
            double profile = 1.0 - (2.0 * u - 1.0) * (2.0 * u - 1.0);
            edge[static_cast<size_t>(x + i)] += static_cast<int>(len * profile * profile * profile);
        }
        x += wdt + rng.range(2, 24);
    }
    scenery::fillAbove(c, edge, [&](int x, int, int depth) {
        bool leftEdge = x > 0 && edge[static_cast<size_t>(x - 1)] < edge[static_cast<size_t>(x)] - depth;
        return depth == 0 || leftEdge ? rim : body;
    });
}

void risingRocks(Canvas& c, Rng& rng, int baseY, int amplitude, Rgba body, Rgba rim) {
    std::vector<int> ridge(static_cast<size_t>(kW), baseY);
    for (int x = 0; x < kW;) {
        int wdt = rng.range(14, 40);
        int len = rng.range(amplitude / 4, amplitude);
        for (int i = 0; i < wdt && x + i < kW; ++i) {
            double u = (i + 0.5) / wdt;
            double profile = 1.0 - (2.0 * u - 1.0) * (2.0 * u - 1.0);
            ridge[static_cast<size_t>(x + i)] = baseY - static_cast<int>(len * profile * profile);
        }
        x += wdt + rng.range(0, 30);
    }
    scenery::fillBelow(c, ridge, [&](int x, int y, int depth) {
        bool leftEdge = ridge[static_cast<size_t>(std::max(0, x - 1))] > y;
        return depth == 0 || leftEdge ? rim : body;
    });
}

void crystalCluster(Canvas& c, int x, int groundY, int size) {
    scenery::glow(c, x, groundY - size * 0.5, size * 2.2, size * 1.6, pal::crystal[3], 4, 18);
    for (int i = 0; i < 3; ++i) {
        int h = size * (i == 1 ? 10 : 6) / 10;
        int cx = x + (i - 1) * size / 3;
        double lean = (i - 1) * size * 0.2;
        Canvas gem(c.width(), c.height());
        gem.fillPolygon(
            {{cx - size * 0.18, groundY + 0.0}, {cx + lean, groundY - h + 0.0}, {cx + size * 0.18, groundY + 0.0}},
            pal::white);
        Canvas shaded = shading::shade(gem, pal::crystal, 2, 5);
        shaded.outline(pal::crystal[0]);
        c.blit(shaded, 0, 0);
    }
}

void lightShaft(Canvas& c, int x0, int width, double slant, Rgba colour, double amount) {
    for (int y = 0; y < kH; ++y) {
        double fade = amount * (1.0 - static_cast<double>(y) / kH);
        int left = x0 + static_cast<int>(y * slant);
        scenery::stipple(c, left, y, width, 1, colour, fade);
    }
}

Canvas caverns() {
    Rng rng("bg3");
    Canvas c(kW, kH);
    caveWall(c, rng.next(), pal::stone, 0, 2);
    lightShaft(c, 360, 46, -0.35, pal::stone[3], 0.3);
    lightShaft(c, 430, 18, -0.35, pal::stone[4], 0.22);
    // far openings into deeper dark
    c.fillEllipse(140, 300, 60, 90, pal::violet[0]);
    c.fillRect(80, 300, 121, 180, pal::violet[0]);
    c.fillEllipse(520, 330, 40, 60, pal::violet[0]);
    c.fillRect(480, 330, 81, 150, pal::violet[0]);
    crystalCluster(c, 140, 380, 16);
    crystalCluster(c, 520, 400, 12);
    hangingRocks(c, rng, 30, 110, pal::stone[1], pal::stone[2]);
    risingRocks(c, rng, 480, 120, pal::stone[1], pal::stone[2]);
    for (int i = 0; i < 40; ++i) {
        int x = rng.range(0, kW - 1);
        int y = rng.range(20, 200);
        c.set(x, y, rng.chance(0.3) ? pal::crystal[4] : pal::crystal[2]);
    }
    fallAway(c, {pal::stone[0], pal::violet[0], pal::ink});
    return c;
}

Canvas cavernHall() {
    Rng rng("bg4");
    Canvas c(kW, kH);
    caveWall(c, rng.next(), pal::violet, 0, 2);
    // distant pillars running from the ceiling down out of sight
    for (int i = 0; i < 4; ++i) {
        int x = 60 + i * 160 + rng.range(-20, 20);
        int w = rng.range(24, 44);
        Canvas pillar(kW, kH);
        pillar.fillPolygon({{x - w * 1.3, 0.0},
                            {x + w * 1.3, 0.0},
                            {x + w * 0.5, 90.0},
                            {x + w * 0.25, 200.0},
                            {x + w * 0.45, 320.0},
                            {x + w * 0.7, kH + 1.0},
                            {x - w * 0.7, kH + 1.0},
                            {x - w * 0.45, 320.0},
                            {x - w * 0.25, 200.0},
                            {x - w * 0.5, 90.0}},
                           pal::white);
        for (int y = 0; y < kH; ++y) {
            for (int xx = 0; xx < kW; ++xx) {
                if (pillar.filled(xx, y)) {
                    bool lit = !pillar.filled(xx - 2, y);
                    bool shade = !pillar.filled(xx + 3, y);
                    // rock strata band the columns
                    int stratum = (y + (xx / 9) % 3) % 37;
                    Rgba col = lit ? pal::violet[2] : (shade ? pal::violet[0] : pal::violet[1]);
                    if (stratum == 0) {
                        col = pal::violet[0];
                    } else if (stratum == 1 && !shade) {
                        col = pal::violet[2];
                    }
                    c.set(xx, y, col);
                }
            }
        }
    }
    hangingRocks(c, rng, 24, 90, pal::violet[0], pal::violet[1]);
    // glowworms on the ceiling, thinning out further down the walls
    for (int i = 0; i < 150; ++i) {
        int x = rng.range(0, kW - 1);
        int y = i < 90 ? rng.range(8, 150) : rng.range(150, kH - 1);
        if (c.at(x, y) != pal::violet[0]) {
            c.set(x, y, rng.chance(0.25) ? pal::crystal[5] : pal::crystal[3]);
        }
    }
    // crystals glinting in the walls, on no floor
    crystalCluster(c, 110, 300, 10);
    crystalCluster(c, 470, 410, 8);
    return c;
}

Canvas duskRuins() {
    Rng rng("bg5");
    Canvas c(kW, kH);
    scenery::verticalGradient(c, 0, kH,
                              {pal::dusk[1], pal::dusk[2], pal::dusk[3], pal::dusk[4], pal::dusk[5], pal::fire[4]});
    // the setting sun, striped where the haze cuts it
    scenery::glow(c, 420, 330, 150, 120, pal::fire[5], 4, 22);
    Canvas disc(kW, kH);
    disc.fillEllipse(420, 330, 56, 56, pal::white);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (!disc.filled(x, y)) {
                continue;
            }
            int below = y - 320;
            bool gap = below > 0 && (below % 12) < 1 + below / 14;
            if (!gap) {
                c.set(x, y, y < 300 ? pal::fire[5] : pal::gold[4]);
            }
        }
    }
    for (int i = 0; i < 7; ++i) {
        int x = rng.range(-40, 560);
        int y = rng.range(90, 300);
        int w = rng.range(100, 220);
        scenery::cloudStreak(c, x, y, w, pal::dusk[3], pal::dusk[5], rng);
    }
    // low streaks over the sun and haze thickening below it, with no line where land would be
    for (int i = 0; i < 5; ++i) {
        int x = rng.range(-40, 560);
        int y = rng.range(340, 460);
        int w = rng.range(120, 260);
        scenery::cloudStreak(c, x, y, w, pal::fire[3], pal::fire[5], rng);
    }
    for (int y = 380; y < kH; ++y) {
        double haze = (y - 380) / 160.0;
        scenery::stipple(c, 0, y, kW, 1, pal::dusk[5], haze);
    }
    birds(c, rng, 250, 200, 5, pal::dusk[1]);
    fallAway(c, {pal::dusk[1], pal::dusk[0], pal::ink});
    return c;
}

void aurora(Canvas& c, Rng& rng, int y0, int amplitude) {
    double phase = rng.unit() * detmath::kTwoPi;
    for (int x = 0; x < kW; ++x) {
        double top = y0 + amplitude * detmath::sin(x * detmath::kTwoPi / 420.0 + phase) +
                     12 * detmath::sin(x * detmath::kTwoPi / 97.0);
        double wave = 0.5 + 0.5 * detmath::sin(x * detmath::kTwoPi / 160.0 + phase * 2);
        double strength = wave * wave * wave;
        int len = 30 + static_cast<int>(60 * strength);
        for (int k = 0; k < len; ++k) {
            int y = static_cast<int>(top) + k;
            double fade = (1.0 - static_cast<double>(k) / len) * (0.1 + 0.6 * strength);
            if (shading::bayer(x, y) < fade) {
                c.set(x, y, k < 4 ? pal::crystal[4] : (k < len / 2 ? pal::crystal[3] : pal::green[4]));
            }
        }
    }
}

void floatingIsland(Canvas& c, int x, int y, int w, Rgba body, Rgba rim) {
    Canvas m(kW, kH);
    m.fillEllipse(x + w / 2.0, y + 2.0, w / 2.0, 5.0, pal::white);
    m.fillPolygon({{x + 0.0, y + 2.0},
                   {x + w + 0.0, y + 2.0},
                   {x + w * 0.62, y + w * 0.55},
                   {x + w * 0.5, y + w * 0.7},
                   {x + w * 0.4, y + w * 0.5}},
                  pal::white);
    for (int yy = 0; yy < kH; ++yy) {
        for (int xx = 0; xx < kW; ++xx) {
            if (m.filled(xx, yy)) {
                c.set(xx, yy, !m.filled(xx, yy - 1) ? rim : body);
            }
        }
    }
    // a tiny tree on top
    c.fillRect(x + w / 3, y - 8, 1, 8, body);
    c.fillEllipse(x + w / 3.0, y - 10.0, 4.0, 3.5, body);
}

Canvas nightSky() {
    Rng rng("bg6");
    Canvas c(kW, kH);
    scenery::verticalGradient(
        c, 0, kH, {pal::violet[0], pal::violet[1], pal::violet[1], pal::violet[2], pal::dusk[2], pal::dusk[2]});
    scenery::stars(c, rng, 0, 0, kW, 330, 260, pal::violet[4], pal::white);
    aurora(c, rng, 80, 30);
    scenery::moon(c, 486, 112, 34, pal::white, pal::violet[5], pal::violet[4], pal::violet[5]);
    floatingIsland(c, 70, 250, 70, pal::violet[1], pal::violet[3]);
    floatingIsland(c, 250, 300, 40, pal::violet[1], pal::violet[3]);
    floatingIsland(c, 560, 270, 56, pal::violet[1], pal::violet[3]);
    // cloud banks drifting at many heights, far apart, so none reads as a floor
    scenery::CloudColours banks{pal::violet[4], pal::violet[3], pal::violet[2]};
    const int bankX[] = {-30, 150, 330, 500, 40, 420};
    const int bankY[] = {350, 410, 370, 430, 470, 480};
    for (int i = 0; i < 6; ++i) {
        scenery::cloud(c, bankX[i], bankY[i], 110, 22, rng, banks);
    }
    return c;
}

}  // namespace

void addBackgroundPictures(std::vector<PictureJob>& jobs) {
    jobs.push_back({"sprites/bg1.png", meadowMorning});
    jobs.push_back({"sprites/bg2.png", meadowAfternoon});
    jobs.push_back({"sprites/bg3.png", caverns});
    jobs.push_back({"sprites/bg4.png", cavernHall});
    jobs.push_back({"sprites/bg5.png", duskRuins});
    jobs.push_back({"sprites/bg6.png", nightSky});
}
