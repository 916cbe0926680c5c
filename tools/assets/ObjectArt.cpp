// Traps (animated strips of equal frames in one row, the hazard filling each frame) and the
// floating goal portal.
#include "ObjectArt.h"

#include "AssetList.h"
#include "DetMath.h"
#include "Palette.h"
#include "Rng.h"
#include "Shading.h"

#include <algorithm>
#include <vector>

namespace {

constexpr double kDegree = detmath::kPi / 180.0;

Canvas strip(int frames, int fw, int fh, const std::function<Canvas(int)>& frame) {
    Canvas out(frames * fw, fh);
    for (int f = 0; f < frames; ++f) {
        out.blit(frame(f), f * fw, 0);
    }
    return out;
}

// ---- spikes: four steel spikes on a riveted plate; a glint runs along them

Canvas spikeFrame(int f) {
    constexpr int kW = 32;
    constexpr int kH = 16;
    Canvas c(kW, kH);
    for (int s = 0; s < 4; ++s) {
        int x0 = s * 8;
        Canvas spike(kW, kH);
        spike.fillPolygon({{x0 + 0.5, 13.0}, {x0 + 3.5, 1.0}, {x0 + 4.5, 1.0}, {x0 + 7.5, 13.0}}, pal::white);
        for (int y = 0; y < kH; ++y) {
            for (int x = x0; x < x0 + 8; ++x) {
                if (!spike.filled(x, y)) {
                    continue;
                }
                Rgba col = x < x0 + 4 ? pal::stone[4] : pal::stone[2];
                if (x == x0 + 3 && y > 3) {
                    col = pal::stone[5];
                }
                if (x == x0 + 4 && y > 3) {
                    col = pal::stone[3];
                }
                if (y <= 3) {
                    col = y <= 2 ? pal::fire[3] : pal::fire[2];  // tips blooded red-hot
                }
                c.set(x, y, col);
            }
        }
        c.line(x0, 13, x0 + 3, 0, pal::ink);
        c.line(x0 + 7, 13, x0 + 4, 0, pal::ink);
        c.set(x0 + 3, 0, pal::ink);
        c.set(x0 + 4, 0, pal::ink);
        if (s == f) {
            c.set(x0 + 3, 5, pal::white);
            c.set(x0 + 3, 6, pal::white);
            c.set(x0 + 2, 6, pal::stone[5]);
        }
        if ((s + 2) % 4 == f) {
            c.set(x0 + 3, 2, pal::fire[5]);
        }
    }
    c.fillRect(0, 12, kW, 4, pal::stone[1]);
    c.fillRect(0, 12, kW, 1, pal::stone[3]);
    c.fillRect(0, 15, kW, 1, pal::ink);
    for (int x = 3; x < kW; x += 8) {
        c.set(x, 13, pal::stone[4]);
        c.set(x + 1, 14, pal::stone[0]);
    }
    c.fillRect(0, 12, 1, 4, pal::ink);
    c.fillRect(kW - 1, 12, 1, 4, pal::ink);
    return c;
}

// ---- saw: a toothed blade turning a quarter tooth per frame, so four frames loop

Canvas sawFrame(int f) {
    constexpr int kSize = 40;
    constexpr int kTeeth = 8;
    constexpr double kCentre = 19.5;
    constexpr double kDisc = 13.6;
    Canvas mask(kSize, kSize);
    double turn = f * (360.0 / kTeeth / 4.0) * kDegree;
    mask.fillEllipse(kCentre, kCentre, kDisc, kDisc, pal::white);
    for (int k = 0; k < kTeeth; ++k) {
        double a = turn + k * (360.0 / kTeeth) * kDegree;
        double a0 = a - 20 * kDegree;
        double a1 = a + 22 * kDegree;
        double tip = a + 24 * kDegree;
        mask.fillPolygon({{kCentre + 12.5 * detmath::cos(a0), kCentre + 12.5 * detmath::sin(a0)},
                          {kCentre + 19.8 * detmath::cos(tip), kCentre + 19.8 * detmath::sin(tip)},
                          {kCentre + 12.5 * detmath::cos(a1), kCentre + 12.5 * detmath::sin(a1)}},
                         pal::white);
    }
    Canvas c(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (!mask.filled(x, y)) {
                continue;
            }
            double dx = x - kCentre;
            double dy = y - kCentre;
            double r = detmath::sqrt(dx * dx + dy * dy);
            double a = detmath::atan2(dy, dx) - turn;
            double t;
            if (r > kDisc - 0.5) {
                // teeth: bright cutting edges lit from the upper left
                t = 0.8 - (dx + dy) * 0.02;
            } else if (r > kDisc - 2.5) {
                t = 0.12;  // the groove between rim and plate
            } else {
                // brushed plate: the sheen sits in two opposite sectors and turns with the blade
                double sheen = 0.5 + 0.5 * detmath::cos(2.0 * (a + 0.8));
                t = 0.28 + 0.5 * sheen - (dx + dy) * 0.01;
            }
            c.set(x, y, shading::rampAt(pal::stone, 1, 5, t, x, y, 0.5));
        }
    }
    // hub and three lightening holes that show the spin
    c.fillEllipse(kCentre, kCentre, 4.2, 4.2, pal::ink);
    c.fillEllipse(kCentre, kCentre, 3.2, 3.2, pal::fire[2]);
    c.fillEllipse(kCentre - 0.6, kCentre - 0.6, 1.6, 1.6, pal::fire[4]);
    for (int k = 0; k < 3; ++k) {
        double a = turn + k * 120 * kDegree;
        double hx = kCentre + 8.0 * detmath::cos(a);
        double hy = kCentre + 8.0 * detmath::sin(a);
        c.fillEllipse(hx, hy, 1.8, 1.8, pal::ink);
    }
    c.outline(pal::ink);
    return c;
}

// ---- ember: a fire wisp that flickers through six frames

Canvas emberFrame(int f) {
    constexpr int kSize = 24;
    Rng rng("ember" + std::to_string(f));
    const double sway[] = {0, 1.5, 2.5, 1, -1.5, -2.5};
    const double stretch[] = {0, -1, 0, 1, 0, -1};
    double s = sway[f];
    Canvas mask(kSize, kSize);
    mask.fillEllipse(11.5, 15.0, 9.0, 7.5 + stretch[f] * 0.3, pal::white);
    mask.fillPolygon({{2.8, 14.0}, {11.5 + s * 1.4, 0.5 + stretch[f]}, {20.2, 14.0}}, pal::white);
    // a side tongue that licks up on alternate frames
    double tx = f % 2 == 0 ? 4.5 - s * 0.3 : 18.5 - s * 0.3;
    mask.fillPolygon({{tx - 2.5, 13.0}, {tx + s * 0.6, 5.0 + (f % 3)}, {tx + 2.5, 13.0}}, pal::white);
    Canvas c(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (!mask.filled(x, y)) {
                continue;
            }
            double dx = (x - 11.5 - s * (15.5 - y) / 15.0) / 9.0;
            double dy = (y - 15.5) / 9.0;
            double heat = 1.0 - detmath::sqrt(dx * dx * 1.2 + (dy < 0 ? dy * dy * 0.5 : dy * dy * 1.6));
            c.set(x, y, shading::rampAt(pal::fire, 1, 5, heat * 1.15, x + f, y, 0.45));
        }
    }
    // two dark eyes make it a wisp rather than a campfire
    int ex = 9 + static_cast<int>(s * 0.5);
    c.fillRect(ex, 14, 1, 2, pal::fire[0]);
    c.fillRect(ex + 4, 14, 1, 2, pal::fire[0]);
    c.outline(pal::fire[0]);
    // sparks drift upwards
    for (int k = 0; k < 3; ++k) {
        int sx = 3 + ((k * 7 + f * 3) % 18);
        int sy = 10 - ((f * 2 + k * 5) % 10);
        if (!c.filled(sx, sy)) {
            c.set(sx, sy, k == 0 ? pal::fire[5] : pal::fire[4]);
        }
    }
    return c;
}

// ---- thorns: a bramble that writhes a quarter wave per frame

Canvas thornFrame(int f) {
    constexpr int kW = 64;
    constexpr int kH = 16;
    Canvas vines(kW, kH);
    double phase = f * detmath::kPi / 2;
    std::vector<int> ridge(kW, kH);
    for (int strand = 0; strand < 2; ++strand) {
        double off = strand * 2.2;
        double dir = strand == 0 ? 1.0 : -1.0;
        for (int x = 0; x < kW; ++x) {
            double y = 9.5 + 3.0 * detmath::sin(x * detmath::kTwoPi / 32.0 + off + phase * dir);
            int yi = static_cast<int>(detmath::floor(y));
            vines.fillRect(x, yi, 1, 3, pal::white);
            ridge[static_cast<size_t>(x)] = std::min(ridge[static_cast<size_t>(x)], yi);
        }
    }
    vines.fillRect(0, 13, kW, 3, pal::white);
    Canvas c = shading::shade(vines, pal::green, 0, 3);
    // thorns: hooked spikes on the crest of the tangle, leaning with the writhe
    for (int x = 3; x < kW; x += 6) {
        int top = ridge[static_cast<size_t>(x)];
        int lean = ((x / 6 + f) % 3) - 1;
        c.fillPolygon({{x - 1.5, top + 1.0}, {x + 0.5 + lean * 2.0, top - 5.0}, {x + 2.5, top + 1.0}}, pal::sand[4]);
        c.set(x, top, pal::sand[2]);
        c.set(x + 1, top, pal::sand[3]);
    }
    // berries
    for (int x = 6; x < kW; x += 13) {
        int y = 12 + ((x + f) % 2);
        c.set(x, y, pal::crimson[4]);
        c.set(x + 1, y, pal::crimson[3]);
        c.set(x, y - 1, pal::crimson[5]);
    }
    c.outline(pal::ink);
    return c;
}

}  // namespace

// ---- goal: a floating portal ringed in gold, a swirl of light inside

Canvas goalPortal() {
    constexpr int kW = 40;
    constexpr int kH = 56;
    constexpr double kCx = 19.5;
    constexpr double kCy = 27.5;
    Canvas c(kW, kH);
    // stepped halo
    const int glowAlpha[] = {40, 80};
    for (int ring = 0; ring < 2; ++ring) {
        double grow = 4.0 - ring * 2.0;
        Canvas halo(kW, kH);
        halo.fillEllipse(kCx, kCy, 15.0 + grow, 22.0 + grow, pal::white);
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                if (halo.filled(x, y)) {
                    c.over(x, y, withAlpha(pal::crystal[4], static_cast<uint8_t>(glowAlpha[ring])));
                }
            }
        }
    }
    Canvas ring(kW, kH);
    ring.fillEllipse(kCx, kCy, 14.0, 21.0, pal::white);
    c.blit(shading::shade(ring, pal::gold, 1, 5), 0, 0);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            double dx = (x - kCx) / 10.5;
            double dy = (y - kCy) / 17.5;
            double r = detmath::sqrt(dx * dx + dy * dy);
            if (r > 1.0) {
                continue;
            }
            double a = detmath::atan2(dy, dx);
            double swirl = 0.5 + 0.5 * detmath::sin(a * 2.0 + r * 7.0);
            double t = 1.0 - r * 0.85 + (swirl - 0.5) * 0.35;
            c.set(x, y, shading::rampAt(pal::crystal, 1, 5, t, x, y, 0.5));
        }
    }
    // inner rim and a keystone gem
    Canvas inner(kW, kH);
    inner.fillEllipse(kCx, kCy, 10.5, 17.5, pal::white);
    inner.outline(pal::gold[0]);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (inner.at(x, y) == pal::gold[0]) {
                c.set(x, y, pal::gold[1]);
            }
        }
    }
    // ink around the gold ring
    Canvas solidRing(kW, kH);
    solidRing.fillEllipse(kCx, kCy, 14.0, 21.0, pal::white);
    solidRing.outline(pal::ink);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (solidRing.at(x, y) == pal::ink) {
                c.set(x, y, pal::ink);
            }
        }
    }
    c.fillPolygon({{16.5, 7.5}, {19.5, 3.5}, {22.5, 7.5}, {19.5, 11.5}}, pal::dusk[3]);
    c.set(19, 5, pal::white);
    c.set(19, 6, pal::dusk[5]);
    // sparkles
    const int sparks[][2] = {{4, 8}, {35, 14}, {3, 44}, {36, 47}};
    for (const auto& s : sparks) {
        c.set(s[0], s[1], pal::white);
        c.set(s[0] - 1, s[1], pal::crystal[4]);
        c.set(s[0] + 1, s[1], pal::crystal[4]);
        c.set(s[0], s[1] - 1, pal::crystal[4]);
        c.set(s[0], s[1] + 1, pal::crystal[4]);
    }
    // a bright core where the way through opens
    c.fillEllipse(kCx, kCy, 2.5, 4.0, pal::white);
    return c;
}

// ---- checkpoint: a lantern on a post; dark until the player passes, then lit

Canvas checkpointFrame(int f) {
    constexpr int kW = 24;
    constexpr int kH = 48;
    const bool lit = f == 1;
    Canvas c(kW, kH);
    // the post, planted in a small cairn of stones
    c.fillRect(10, 18, 4, 26, pal::earth[2]);
    c.fillRect(10, 18, 1, 26, pal::earth[4]);
    c.fillRect(13, 18, 1, 26, pal::earth[1]);
    c.fillEllipse(11.5, 45.0, 9.0, 3.2, pal::stone[2]);
    c.fillEllipse(10.5, 44.2, 5.0, 1.6, pal::stone[4]);
    // the hook and the lantern's cage
    c.fillRect(8, 4, 8, 2, pal::stone[1]);
    c.fillRect(11, 2, 2, 3, pal::stone[1]);
    const pal::Ramp& glass = lit ? pal::fire : pal::stone;
    for (int y = 6; y < 17; ++y) {
        for (int x = 7; x < 17; ++x) {
            const double dx = (x - 11.5) / 5.0;
            const double dy = (y - 11.5) / 6.0;
            const double glow = 1.0 - detmath::sqrt(dx * dx + dy * dy);
            c.set(x, y, shading::rampAt(glass, lit ? 2 : 0, lit ? 5 : 2, glow, x, y));
        }
    }
    c.fillRect(7, 6, 10, 1, pal::stone[1]);
    c.fillRect(7, 16, 10, 1, pal::stone[1]);
    c.fillRect(11, 6, 2, 11, pal::stone[1]);
    c.fillRect(6, 17, 12, 2, pal::stone[2]);
    if (lit) {
        c.fillRect(11, 10, 2, 4, pal::fire[5]);
        c.set(11, 9, pal::fire[4]);
    }
    c.outline(pal::ink);
    return c;
}

void addObjectPictures(std::vector<PictureJob>& jobs) {
    jobs.push_back({"sprites/checkpoint.png", [] { return strip(2, 24, 48, checkpointFrame); }});
    jobs.push_back({"sprites/spikes.png", [] { return strip(4, 32, 16, spikeFrame); }});
    jobs.push_back({"sprites/saw.png", [] { return strip(4, 40, 40, sawFrame); }});
    jobs.push_back({"sprites/ember.png", [] { return strip(6, 24, 24, emberFrame); }});
    jobs.push_back({"sprites/thorns.png", [] { return strip(4, 64, 16, thornFrame); }});
    jobs.push_back({"sprites/goal.png", goalPortal});
}
