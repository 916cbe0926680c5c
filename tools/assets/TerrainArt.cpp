// Platform pictures for the three themes: ledges 32 px tall that float in the air and
// grounds 96 px tall that reach down out of the view. Their top row is the walking surface.
// A ledge is a whole platform with a border all round; grounds are laid side by side, so
// only their surface has a border and their sides run on into the next piece. A rise is a
// ground piece standing on its own above the floor: its sides and shoulders get a ledge's rim.
#include "AssetList.h"
#include "Noise.h"
#include "Palette.h"
#include "Rng.h"
#include "Shading.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kLedgeHeight = 32;
constexpr int kGroundHeight = 96;
constexpr int kLedgeWidths[] = {32, 64, 96, 128, 192, 256, 320, 480, 640};
constexpr int kGroundWidths[] = {128, 256, 320, 640};

enum class Theme { Meadow, Cave, Dusk };

// Per column, the first and last solid row.
struct Outline {
    std::vector<int> top;
    std::vector<int> bottom;
    bool tiles = false;  // pieces laid side by side: no border at the sides or the bottom
};

Outline shapeOf(int w, int h, bool ground, Rng& rng, int clumpDepth, int lift = 0) {
    Outline o;
    o.top.assign(static_cast<size_t>(w), 0);
    o.bottom.assign(static_cast<size_t>(w), h - 1);
    if (ground) {
        o.tiles = true;
        return o;
    }
    // rounded top corners
    const int topRound[] = {2, 1};
    for (int i = 0; i < 2 && i < w / 2; ++i) {
        o.top[static_cast<size_t>(i)] = topRound[i];
        o.top[static_cast<size_t>(w - 1 - i)] = topRound[i];
    }
    // the underside: a base line with clumps hanging from it, tucked in at both ends
    int base = h - 1 - clumpDepth - lift;
    int x = 0;
    while (x < w) {
        int run = rng.range(4, 10);
        int depth = rng.range(0, clumpDepth);
        for (int i = 0; i < run && x + i < w; ++i) {
            int edge = std::min(i, run - 1 - i);
            o.bottom[static_cast<size_t>(x + i)] = base + std::max(0, depth - (edge == 0 ? 2 : (edge == 1 ? 1 : 0)));
        }
        x += run;
    }
    const int tuck[] = {7, 4, 2, 1};
    for (int i = 0; i < 4 && i < w / 2; ++i) {
        o.bottom[static_cast<size_t>(i)] = std::min(o.bottom[static_cast<size_t>(i)], base - tuck[i]);
        o.bottom[static_cast<size_t>(w - 1 - i)] = std::min(o.bottom[static_cast<size_t>(w - 1 - i)], base - tuck[i]);
    }
    return o;
}

bool solid(const Outline& o, int x, int y) {
    if (x < 0 || x >= static_cast<int>(o.top.size())) {
        return false;
    }
    return y >= o.top[static_cast<size_t>(x)] && y <= o.bottom[static_cast<size_t>(x)];
}

// The shape's own rim: first and last solid pixel of every column, and the end columns; for
// pieces that tile, only the surface.
bool rim(const Outline& o, int x, int y) {
    if (o.tiles) {
        return solid(o, x, y) && !solid(o, x, y - 1);
    }
    return solid(o, x, y) && (!solid(o, x - 1, y) || !solid(o, x + 1, y) || !solid(o, x, y - 1) || !solid(o, x, y + 1));
}

// A pebble or block stone: shaded blob with a dark underside.
void stone(Canvas& c, int cx, int cy, int rx, int ry, const pal::Ramp& ramp, int lo, int hi) {
    Canvas mask(c.width(), c.height());
    mask.fillEllipse(cx, cy, rx, ry, pal::white);
    Canvas shaded = shading::shade(mask, ramp, lo, hi);
    shaded.outline(ramp[static_cast<size_t>(std::max(0, lo - 1))]);
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            if (shaded.filled(x, y) && c.filled(x, y)) {
                c.set(x, y, shaded.at(x, y));
            }
        }
    }
}

// ---- meadow: grass over dark loam with pebbles and roots

Canvas meadowPiece(int w, int h, bool ground) {
    Rng rng("meadow" + std::to_string(w) + "x" + std::to_string(h));
    Outline o = shapeOf(w, h, ground, rng, 5);
    ValueNoise soil(rng.next(), 9.0);
    Canvas c(w, h);
    std::vector<int> grassDepth(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x) {
        grassDepth[static_cast<size_t>(x)] = 5 + (rng.chance(0.35) ? rng.range(1, 4) : rng.range(0, 1));
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!solid(o, x, y)) {
                continue;
            }
            int d = y - o.top[static_cast<size_t>(x)];
            int g = grassDepth[static_cast<size_t>(x)];
            Rgba col;
            if (d < g) {
                double t = 1.0 - static_cast<double>(d) / g;
                col = shading::rampAt(pal::green, 2, 5, t * 0.95 + 0.1 * soil.at(x * 3.0, y), x, y, 0.5);
            } else if (d == g) {
                col = pal::green[1];
            } else {
                double depth = ground ? static_cast<double>(y) / h : static_cast<double>(y) / (h + 12);
                double n = soil.fractal(x, y * 1.6, 3);
                double t = 0.75 - depth * 0.9 + (n - 0.5) * 0.6;
                col = shading::rampAt(pal::earth, ground ? 0 : 1, 3, t, x, y);
                if (d == g + 1 && shading::bayer(x, y) < 0.5) {
                    col = pal::earth[1];
                }
            }
            c.set(x, y, col);
        }
    }
    // roots hang from the turf, pebbles sit in the soil
    for (int i = 0; i < w / 24 + 1; ++i) {
        int x = rng.range(4, w - 5);
        int y = grassDepth[static_cast<size_t>(x)] + 1;
        int len = rng.range(3, ground ? 14 : 8);
        for (int k = 0; k < len; ++k) {
            if (solid(o, x, y + k) && solid(o, x, y + k + 2)) {
                c.set(x, y + k, pal::earth[1]);
            }
            if (rng.chance(0.3)) {
                x += rng.chance(0.5) ? 1 : -1;
            }
        }
    }
    int pebbles = ground ? w / 14 : w / 20 + 1;
    for (int i = 0; i < pebbles; ++i) {
        int x = rng.range(4, w - 5);
        int y = rng.range(12, ground ? h - 4 : h - 10);
        if (solid(o, x, y + 3) && solid(o, x - 3, y) && solid(o, x + 3, y)) {
            int rx = rng.range(2, ground ? 4 : 3);
            int ry = rng.range(1, 2);
            stone(c, x, y, rx, ry, pal::stone, 2, 4);
        }
    }
    // flowers dot the turf
    for (int i = 0; i < w / 28; ++i) {
        int x = rng.range(3, w - 4);
        int y = o.top[static_cast<size_t>(x)] + rng.range(1, 3);
        const Rgba petals[] = {pal::white, pal::gold[4], pal::dusk[5], pal::sky[5]};
        Rgba petal = petals[rng.range(0, 3)];
        c.set(x, y, petal);
        c.set(x + 1, y + 1, petal);
        if (solid(o, x, y + 1)) {
            c.set(x, y + 1, pal::gold[3]);
        }
    }
    // blades of grass pointing down over the soil edge get a light tip on top
    for (int x = 0; x < w; ++x) {
        int t = o.top[static_cast<size_t>(x)];
        if (solid(o, x, t + 1) && shading::bayer(x, 0) > 0.55) {
            c.set(x, t + 1, pal::green[5]);
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (rim(o, x, y)) {
                c.set(x, y, y <= o.top[static_cast<size_t>(x)] + 0 ? pal::green[0] : pal::ink);
            }
        }
    }
    return c;
}

// ---- caverns: blue-grey rock with seams, moss and dripping stone

Canvas cavePiece(int w, int h, bool ground) {
    Rng rng("cave" + std::to_string(w) + "x" + std::to_string(h));
    Outline o = shapeOf(w, h, ground, rng, 2, 7);
    if (!ground) {
        // stalactite drips under the slab
        for (int x = 7; x < w - 7; x += rng.range(8, 18)) {
            int len = rng.range(4, 9);
            int root = o.bottom[static_cast<size_t>(x)];
            for (int k = -2; k <= 2; ++k) {
                size_t i = static_cast<size_t>(x + k);
                int reach = k == 0 ? len : (k == 1 || k == -1 ? len * 2 / 3 : len / 4);
                o.bottom[i] = std::min(h - 1, std::max(o.bottom[i], root + reach - 2));
            }
        }
    }
    ValueNoise rock(rng.next(), 12.0);
    Canvas c(w, h);
    // block seams: every few dozen pixels a crack runs down from the top
    std::vector<int> seams;
    for (int x = rng.range(14, 30); x < w - 8; x += rng.range(22, 44)) {
        seams.push_back(x);
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!solid(o, x, y)) {
                continue;
            }
            int d = y - o.top[static_cast<size_t>(x)];
            double n = rock.fractal(x, y * 1.4, 3);
            double depth = static_cast<double>(y) / (ground ? h : h + 8);
            double t = 0.8 - depth * 0.85 + (n - 0.5) * 0.5;
            Rgba col = shading::rampAt(pal::stone, ground ? 0 : 1, 4, t, x, y);
            if (d == 1 || d == 2) {
                col = d == 1 ? pal::stone[5] : pal::stone[4];
            } else if (d == 3) {
                col = pal::stone[3];
            }
            c.set(x, y, col);
        }
    }
    for (int sx : seams) {
        int x = sx;
        int bottom = ground ? rng.range(20, h - 1) : h;
        for (int y = 3; y < bottom; ++y) {
            if (solid(o, x, y) && solid(o, x + 1, y)) {
                c.set(x, y, pal::stone[0]);
                c.set(x + 1, y, pal::stone[3]);
            }
            if (rng.chance(0.25)) {
                x += rng.chance(0.5) ? 1 : -1;
            }
        }
    }
    if (ground) {
        // strata lines deeper down
        for (int layer = 36; layer < h; layer += rng.range(14, 22)) {
            int y = layer;
            for (int x = 0; x < w; ++x) {
                if (rng.chance(0.2)) {
                    y += rng.chance(0.5) ? 1 : -1;
                }
                if (solid(o, x, y) && solid(o, x, y + 1)) {
                    c.set(x, y, pal::stone[0]);
                    c.set(x, y + 1, pal::stone[2]);
                }
            }
        }
        // a few crystals caught in the rock
        for (int i = 0; i < w / 90 + 1; ++i) {
            int x = rng.range(10, w - 11);
            int y = rng.range(40, h - 12);
            Canvas gem(w, h);
            gem.fillPolygon({{x - 3.0, y + 4.0}, {x + 0.0, y - 5.0}, {x + 3.0, y + 4.0}}, pal::white);
            Canvas shaded = shading::shade(gem, pal::crystal, 2, 5);
            shaded.outline(pal::crystal[0]);
            c.blit(shaded, 0, 0);
        }
    }
    // moss clings to the top in patches
    for (int x = 0; x < w; ++x) {
        double m = rock.at(x * 2.5, 400.0);
        if (m > 0.52) {
            int t = o.top[static_cast<size_t>(x)];
            int depth = 1 + static_cast<int>((m - 0.52) * 14.0);
            for (int k = 1; k <= depth && k < 5; ++k) {
                if (solid(o, x, t + k) && (k < depth || shading::bayer(x, k) < 0.6)) {
                    c.set(x, t + k, k == 1 ? pal::crystal[3] : pal::crystal[2]);
                }
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (rim(o, x, y)) {
                c.set(x, y, pal::ink);
            }
        }
    }
    return c;
}

// ---- dusk ruins: capstones over staggered bricks, warm light from the setting sun

Canvas duskPiece(int w, int h, bool ground) {
    Rng rng("dusk" + std::to_string(w) + "x" + std::to_string(h));
    constexpr int kCap = 8;
    constexpr int kCourse = 6;  // brick course height including the mortar line
    Outline o = shapeOf(w, h, true, rng, 0);
    // brick index per course, so the underside can drop whole bricks
    struct Brick {
        int x0;
        int x1;
        int shade;
    };
    std::vector<std::vector<Brick>> courses;
    int courseCount = (h - kCap + kCourse - 1) / kCourse;
    for (int r = 0; r < courseCount; ++r) {
        std::vector<Brick> row;
        int x = (r % 2 == 0) ? -rng.range(4, 8) : -rng.range(10, 14);
        while (x < w) {
            int bw = rng.range(12, 18);
            row.push_back({x, x + bw - 1, rng.range(-1, 1)});
            x += bw;
        }
        courses.push_back(row);
    }
    if (!ground) {
        // a ledge is a whole platform: rounded and bordered all round
        o.tiles = false;
        const int topRound[] = {2, 1};
        for (int i = 0; i < 2 && i < w / 2; ++i) {
            o.top[static_cast<size_t>(i)] = topRound[i];
            o.top[static_cast<size_t>(w - 1 - i)] = topRound[i];
        }
        // the lowest course loses some bricks, the one above a few
        for (int x = 0; x < w; ++x) {
            o.bottom[static_cast<size_t>(x)] = h - 1;
        }
        size_t last = courses.size() - 1;
        for (const Brick& b : courses[last]) {
            bool keep = b.x0 > 2 && b.x1 < w - 3 && rng.chance(0.8);
            if (!keep) {
                for (int x = std::max(0, b.x0); x <= std::min(w - 1, b.x1); ++x) {
                    o.bottom[static_cast<size_t>(x)] = h - 1 - kCourse;
                }
            }
        }
        const int tuck[] = {4, 2, 1};
        for (int i = 0; i < 3; ++i) {
            o.bottom[static_cast<size_t>(i)] = std::min(o.bottom[static_cast<size_t>(i)], h - 1 - kCourse - tuck[i]);
            o.bottom[static_cast<size_t>(w - 1 - i)] =
                std::min(o.bottom[static_cast<size_t>(w - 1 - i)], h - 1 - kCourse - tuck[i]);
        }
    }
    ValueNoise grime(rng.next(), 10.0);
    Canvas c(w, h);
    // capstones
    std::vector<int> capJoints;
    for (int x = rng.range(18, 34); x < w - 6; x += rng.range(24, 42)) {
        capJoints.push_back(x);
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!solid(o, x, y)) {
                continue;
            }
            double depth = static_cast<double>(y) / h;
            double n = grime.fractal(x, y, 2);
            Rgba col;
            if (y < kCap) {
                bool joint = std::find(capJoints.begin(), capJoints.end(), x) != capJoints.end();
                if (joint || y == kCap - 1) {
                    col = pal::sand[1];
                } else if (y <= 1) {
                    col = pal::sand[5];
                } else {
                    col = shading::rampAt(pal::sand, 3, 4, 0.9 - (y - 2) / 5.0 + (n - 0.5) * 0.4, x, y);
                }
            } else {
                int r = (y - kCap) / kCourse;
                int ry = (y - kCap) % kCourse;
                const Brick* brick = nullptr;
                for (const Brick& b : courses[static_cast<size_t>(r)]) {
                    if (x >= b.x0 && x <= b.x1) {
                        brick = &b;
                    }
                }
                bool mortar = ry == kCourse - 1 || brick == nullptr || x == brick->x1;
                if (mortar) {
                    col = pal::dusk[1];
                } else {
                    double t =
                        0.7 - depth * (ground ? 0.8 : 0.45) + brick->shade * 0.12 + (n - 0.5) * (0.4 - depth * 0.3);
                    if (ry == 0 || x == brick->x0) {
                        t += 0.18;
                    }
                    if (ry == kCourse - 2 || x == brick->x1 - 1) {
                        t -= 0.15;
                    }
                    col = t < 0.28 ? shading::rampAt(pal::dusk, 1, 3, t / 0.28, x, y)
                                   : shading::rampAt(pal::sand, 1, 4, (t - 0.28) / 0.72, x, y);
                }
            }
            c.set(x, y, col);
        }
    }
    // ivy trails from the capstones here and there
    for (int i = 0; i < w / 70 + 1; ++i) {
        int x = rng.range(3, w - 4);
        int len = rng.range(5, ground ? 30 : 18);
        for (int k = 0; k < len; ++k) {
            int y = kCap - 2 + k;
            if (solid(o, x, y + 1)) {
                c.set(x, y, k % 3 == 0 ? pal::green[3] : pal::green[2]);
                if (k % 4 == 1 && solid(o, x + 1, y)) {
                    c.set(x + 1, y, pal::green[4]);
                }
            }
            if (rng.chance(0.3)) {
                x += rng.chance(0.5) ? 1 : -1;
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (rim(o, x, y)) {
                c.set(x, y, pal::ink);
            }
        }
    }
    return c;
}

Canvas piece(Theme theme, int w, int h, bool ground) {
    switch (theme) {
    case Theme::Meadow:
        return meadowPiece(w, h, ground);
    case Theme::Cave:
        return cavePiece(w, h, ground);
    case Theme::Dusk:
        return duskPiece(w, h, ground);
    }
    return Canvas(w, h);
}

// Raised ground: the ground piece of the same width with rounded shoulders and a rim down both
// sides. Laid before the floor it stands on, the floor's edge runs in front of its foot, so the
// two meet without a seam.
Canvas risePiece(Theme theme, int w) {
    Canvas c = piece(theme, w, kGroundHeight, true);
    const int shoulder[] = {2, 1};  // rows cut from the first and second column at each side
    for (int i = 0; i < 2; ++i) {
        for (const int x : {i, w - 1 - i}) {
            const Rgba surface = c.at(x, 0);
            for (int y = 0; y < shoulder[i]; ++y) {
                c.set(x, y, kClear);
            }
            c.set(x, shoulder[i], i == 0 ? pal::ink : surface);
        }
    }
    for (int y = shoulder[0]; y < kGroundHeight; ++y) {
        c.set(0, y, pal::ink);
        c.set(w - 1, y, pal::ink);
    }
    return c;
}

}  // namespace

void addTerrainPictures(std::vector<PictureJob>& jobs) {
    const std::pair<Theme, const char*> themes[] = {
        {Theme::Meadow, "meadow"}, {Theme::Cave, "cave"}, {Theme::Dusk, "dusk"}};
    for (const auto& [theme, name] : themes) {
        for (int w : kLedgeWidths) {
            Theme t = theme;
            jobs.push_back({"sprites/" + std::string(name) + "_ledge_" + std::to_string(w) + ".png",
                            [t, w] { return piece(t, w, kLedgeHeight, false); }});
        }
        for (int w : kGroundWidths) {
            Theme t = theme;
            jobs.push_back({"sprites/" + std::string(name) + "_ground_" + std::to_string(w) + ".png",
                            [t, w] { return piece(t, w, kGroundHeight, true); }});
        }
        for (int w : kGroundWidths) {
            Theme t = theme;
            jobs.push_back({"sprites/" + std::string(name) + "_rise_" + std::to_string(w) + ".png",
                            [t, w] { return risePiece(t, w); }});
        }
    }
}
