// The title picture, the win screen and the two menu buttons. The menu centres a 640 x 480
// picture and puts the start button's face at x 207..432, y 240..321 and the quit button's at
// x 234..405, y 360..451, so those parts of the pictures are kept calm.
#include "AssetList.h"
#include "CharacterArt.h"
#include "DecorationArt.h"
#include "DetMath.h"
#include "ObjectArt.h"
#include "Palette.h"
#include "PixelFont.h"
#include "Scenery.h"
#include "Shading.h"

#include <algorithm>

namespace {

constexpr int kW = 640;
constexpr int kH = 480;

struct Rect {
    int x;
    int y;
    int w;
    int h;
    bool contains(int px, int py, int margin) const {
        return px >= x - margin && py >= y - margin && px < x + w + margin && py < y + h + margin;
    }
};

// Where the menu draws the button faces, and the whole button pictures with their glow.
constexpr Rect kStartFace{207, 240, 226, 82};
constexpr Rect kQuitFace{234, 360, 172, 92};

bool nearButtons(int x, int y, int margin) {
    return kStartFace.contains(x, y, margin) || kQuitFace.contains(x, y, margin);
}

// Big title lettering: a gold face shaded top to bottom, bevelled, outlined and extruded.
Canvas titleText(const std::string& text, int scale, const pal::Ramp& face, Rgba outline, Rgba extrusion) {
    Canvas mask = PixelFont::title().render(text, scale, 1);
    int border = scale;
    int depth = scale + scale / 2;
    Canvas out(mask.width() + border * 2, mask.height() + border * 2 + depth);
    Canvas body(out.width(), out.height());
    body.blit(mask, border, border);
    // extrusion below, then the outline around letters and extrusion together
    Canvas solid(out.width(), out.height());
    for (int d = 0; d <= depth; ++d) {
        solid.blit(mask, border, border + d);
    }
    Canvas ring = solid;
    for (int i = 0; i < border / 2 + 1; ++i) {
        ring.outline(outline, i > 0);
    }
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            if (ring.filled(x, y) && !solid.filled(x, y)) {
                out.set(x, y, outline);
            } else if (solid.filled(x, y)) {
                out.set(x, y, extrusion);
            }
        }
    }
    int glyphH = PixelFont::title().glyphHeight() * scale;
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            if (!body.filled(x, y)) {
                continue;
            }
            double t = 1.0 - static_cast<double>(y - border) / glyphH;
            if (!body.filled(x, y - scale / 2)) {
                t += 0.35;
            }
            if (!body.filled(x - scale / 2, y)) {
                t += 0.15;
            }
            if (!body.filled(x + scale / 2, y) || !body.filled(x, y + scale / 2)) {
                t -= 0.25;
            }
            out.set(x, y, shading::rampAt(face, 1, 5, t, x, y, 0.5));
        }
    }
    return out;
}

// Small label text with a hard shadow.
Canvas labelText(const std::string& text, int scale, Rgba face, Rgba highlight, Rgba shadow) {
    Canvas mask = PixelFont::small().render(text, scale, 1);
    Canvas out(mask.width() + scale, mask.height() + scale);
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (mask.filled(x, y)) {
                out.set(x + scale / 2 + 1, y + scale / 2 + 1, shadow);
            }
        }
    }
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (mask.filled(x, y)) {
                bool top = !mask.filled(x, y - scale / 2);
                out.set(x, y, top ? highlight : face);
            }
        }
    }
    return out;
}

void blitCentred(Canvas& c, const Canvas& piece, int centreX, int top) {
    c.blit(piece, centreX - piece.width() / 2, top);
}

// ---- the title picture: night falling over the meadow, the ruins and the portal far away

void nightSky(Canvas& c, Rng& rng) {
    scenery::verticalGradient(c, 0, 340,
                              {pal::violet[0], pal::violet[1], pal::violet[1], pal::dusk[1], pal::dusk[2], pal::dusk[3],
                               pal::dusk[4], pal::fire[3]});
    scenery::verticalGradient(c, 340, 140, {pal::fire[3]});
    for (int i = 0; i < 180; ++i) {
        int x = rng.range(0, kW - 1);
        int y = rng.range(0, 200);
        if (nearButtons(x, y, 30)) {
            continue;
        }
        int kind = rng.range(0, 9);
        c.set(x, y, kind < 7 ? pal::violet[4] : pal::white);
        if (kind == 9) {
            c.set(x - 1, y, pal::violet[4]);
            c.set(x + 1, y, pal::violet[4]);
            c.set(x, y - 1, pal::violet[4]);
            c.set(x, y + 1, pal::violet[4]);
        }
    }
}

Canvas menuPicture() {
    Rng rng("menu");
    Canvas c(kW, kH);
    nightSky(c, rng);
    scenery::moon(c, 592, 178, 18, pal::white, pal::violet[5], pal::violet[4], pal::violet[5]);
    scenery::mountainRange(c, rng, 350, 6, 40, 110,
                           {pal::dusk[3], pal::dusk[2], pal::dusk[4], pal::dusk[3], pal::dusk[2]}, 12, 330);
    // the ruined keep on the far ridge, a light still burning
    scenery::ruinTower(c, 522, 352, 30, 104, rng, pal::dusk[1], pal::dusk[3], pal::gold[4]);
    scenery::ruinArch(c, 556, 352, 56, 44, pal::dusk[1], pal::dusk[3]);
    std::vector<int> hills = scenery::rollingRidge(kW, rng, 372, 12, 2);
    scenery::hillLayer(c, hills, pal::dusk[3], pal::violet[2], pal::violet[1], 60);
    scenery::treeLine(c, hills, rng, pal::violet[1], pal::violet[3], 14, 0.3);
    std::vector<int> near = scenery::rollingRidge(kW, rng, 430, 10, 1);
    scenery::hillLayer(c, near, pal::violet[3], pal::violet[1], pal::violet[0], 40);
    // the portal waits on the far hill, Brisel looks out from a rise in front
    Canvas portal = goalPortal();
    c.blit(portal, 470, hills[490] - 64);
    Canvas rise(kW, kH);
    rise.fillPolygon({{-10, 390}, {40, 374}, {104, 378}, {150, 396}, {176, 480}, {-10, 480}}, pal::white);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            if (!rise.filled(x, y)) {
                continue;
            }
            int depth = 0;
            while (depth < 40 && rise.filled(x, y - depth - 1)) {
                ++depth;
            }
            Rgba col;
            if (depth == 0) {
                col = pal::green[3];
            } else if (depth < 3) {
                col = pal::green[2];
            } else {
                col = shading::rampAt(
                    scenery::ramp(pal::ink, pal::violet[0], pal::haze[0], pal::haze[1], pal::green[1], pal::green[2]),
                    1, 4, 1.0 - depth / 40.0 - (x > 130 ? 0.2 : 0.0), x, y);
            }
            c.set(x, y, col);
        }
    }
    for (int x = 0; x < 150; x += 3) {
        int top = 0;
        while (top < kH && !rise.filled(x, top)) {
            ++top;
        }
        int h = 2 + (x * 7) % 5;
        c.line(x, top, x + (x % 2), top - h, pal::green[3]);
    }
    Canvas hero = briselPose(1, 1).scaled(2);
    c.blit(hero, 14, 376 - 110);
    Canvas lantern = lanternDecoration().scaled(2);
    c.blit(lantern, 560, 318);
    Canvas grass = grassDecoration();
    for (int x = -20; x < kW; x += 90) {
        if (x > 150 && x < 470) {
            continue;
        }
        c.blit(grass, x, kH - grass.height() + 2);
    }
    // fireflies
    for (int i = 0; i < 24; ++i) {
        int x = rng.range(10, kW - 10);
        int y = rng.range(250, 470);
        if (nearButtons(x, y, 24)) {
            continue;
        }
        scenery::glow(c, x, y, 4, 4, pal::gold[4], 2, 40);
        c.set(x, y, pal::gold[5]);
    }
    Canvas title = titleText("VANTOREL", 6, pal::gold, pal::ink, pal::fire[0]);
    blitCentred(c, title, kW / 2, 40);
    Canvas tagline = labelText("THE LONG WAY HOME", 2, pal::dusk[5], pal::white, pal::ink);
    blitCentred(c, tagline, kW / 2, 40 + title.height() + 10);
    return c;
}

// ---- the win screen: sunrise over the meadow, the portal reached

Canvas winPicture() {
    Rng rng("win_screen");
    Canvas c(kW, kH);
    scenery::verticalGradient(c, 0, 360,
                              {pal::sky[2], pal::sky[3], pal::sky[4], pal::dusk[5], pal::sand[5], pal::gold[5]});
    scenery::verticalGradient(c, 360, 120, {pal::gold[5]});
    // sun rays fan out from behind the hills
    const double kSunX = 320;
    const double kSunY = 372;
    for (int y = 0; y < 372; ++y) {
        for (int x = 0; x < kW; ++x) {
            double a = detmath::atan2(y - kSunY, x - kSunX);
            int wedge = static_cast<int>(detmath::floor((a + detmath::kPi) / (detmath::kPi / 14)));
            if (wedge % 2 == 0 && shading::bayer(x, y) < 0.16) {
                c.set(x, y, pal::white);
            }
        }
    }
    scenery::sun(c, 320, 372, 46, pal::white, pal::gold[5], pal::gold[5]);
    scenery::CloudColours clouds{pal::white, pal::sand[5], pal::dusk[5]};
    scenery::cloud(c, 20, 200, 140, 30, rng, clouds);
    scenery::cloud(c, 500, 190, 120, 26, rng, clouds);
    scenery::mountainRange(c, rng, 372, 7, 30, 70, {pal::sky[4], pal::sky[3], pal::white, pal::sky[5], pal::sky[4]}, 10,
                           360);
    std::vector<int> hills = scenery::rollingRidge(kW, rng, 388, 10, 2);
    scenery::hillLayer(c, hills, pal::gold[4], pal::green[4], pal::green[3], 50);
    scenery::treeLine(c, hills, rng, pal::green[2], pal::green[4], 14, 0.3);
    std::vector<int> near = scenery::rollingRidge(kW, rng, 440, 8, 1);
    scenery::hillLayer(c, near, pal::green[5], pal::green[3], pal::green[2], 40);
    Canvas tree = treeDecoration();
    c.blit(tree, 512, near[570] - tree.height() + 6);
    // Brisel beside the open portal, arms raised
    Canvas portal = goalPortal().scaled(2);
    c.blit(portal, 22, 304);
    Canvas hero = briselPose(1, 3).scaled(2);
    c.blit(hero, 78, near[120] - 110 + 2);
    Canvas grass = grassDecoration();
    for (int x = -30; x < kW; x += 80) {
        if (x > 150 && x < 470) {
            continue;
        }
        c.blit(grass, x, kH - grass.height() + 2);
    }
    // confetti of light in the sky, clear of the buttons
    const Rgba confetti[] = {pal::white, pal::gold[4], pal::dusk[5], pal::crystal[4], pal::crimson[5]};
    for (int i = 0; i < 70; ++i) {
        int x = rng.range(8, kW - 8);
        int y = rng.range(150, 330);
        if (nearButtons(x, y, 70)) {
            continue;
        }
        Rgba col = confetti[rng.range(0, 4)];
        c.set(x, y, col);
        c.set(x + 1, y + (rng.chance(0.5) ? 1 : 0), col);
    }
    Canvas small = titleText("VANTOREL", 3, pal::gold, pal::ink, pal::fire[0]);
    blitCentred(c, small, kW / 2, 22);
    Canvas title =
        titleText("YOU MADE IT!", 5,
                  scenery::ramp(pal::dusk[0], pal::crimson[2], pal::fire[2], pal::fire[3], pal::gold[4], pal::white),
                  pal::ink, pal::crimson[0]);
    blitCentred(c, title, kW / 2, 22 + small.height() + 10);
    return c;
}

// ---- buttons: a carved plaque; the highlighted row glows gold

struct ButtonLayout {
    int frameW;
    int frameH;
    Rect face;
    int labelScale = 5;
};

Canvas buttonFrame(const std::string& label, const ButtonLayout& layout, bool highlighted) {
    Canvas c(layout.frameW, layout.frameH);
    const Rect& f = layout.face;
    if (highlighted) {
        const int alphas[] = {20, 34, 52, 76};
        for (int i = 0; i < 4; ++i) {
            int grow = 22 - i * 6;
            Canvas halo(layout.frameW, layout.frameH);
            halo.fillEllipse(f.x + f.w / 2.0 - 0.5, f.y + f.h / 2.0 - 0.5, f.w / 2.0 + grow + 6, f.h / 2.0 + grow,
                             pal::white);
            halo.fillRect(f.x - grow, f.y - grow / 2, f.w + grow * 2, f.h + grow, pal::white);
            for (int y = 0; y < layout.frameH; ++y) {
                for (int x = 0; x < layout.frameW; ++x) {
                    if (halo.filled(x, y)) {
                        c.over(x, y, withAlpha(pal::gold[4], static_cast<uint8_t>(alphas[i])));
                    }
                }
            }
        }
        // arrows point at the face from both sides
        int cy = f.y + f.h / 2;
        for (int k = 0; k < 6; ++k) {
            c.fillRect(f.x - 22 + k, cy - 5 + k, 1, 11 - 2 * k, pal::gold[5]);
            c.fillRect(f.x + f.w + 21 - k, cy - 5 + k, 1, 11 - 2 * k, pal::gold[5]);
        }
        c.fillRect(f.x - 23, cy - 6, 1, 13, pal::ink);
        c.fillRect(f.x + f.w + 22, cy - 6, 1, 13, pal::ink);
    } else {
        for (int y = f.y + 4; y < f.y + f.h + 4; ++y) {
            for (int x = f.x + 4; x < f.x + f.w + 4; ++x) {
                c.over(x, y, withAlpha(pal::ink, 110));
            }
        }
    }
    const pal::Ramp& stoneRamp = highlighted ? pal::gold : pal::violet;
    for (int y = f.y; y < f.y + f.h; ++y) {
        for (int x = f.x; x < f.x + f.w; ++x) {
            int dx = x - f.x;
            int dy = y - f.y;
            int rx = f.x + f.w - 1 - x;
            int ry = f.y + f.h - 1 - y;
            Rgba col;
            if (dx < 2 || dy < 2 || rx < 2 || ry < 2) {
                col = pal::ink;
            } else if (dy < 5 || dx < 4) {
                col = stoneRamp[5];
            } else if (ry < 6 || rx < 4) {
                col = stoneRamp[1];
            } else if (dx == 9 || dy == 9 || rx == 9 || ry == 10) {
                col = stoneRamp[dx == 9 || dy == 9 ? 1 : 4];  // carved inner border
            } else {
                double t = 0.75 - static_cast<double>(dy) / f.h * 0.5;
                col = shading::rampAt(stoneRamp, 2, 3, t, x, y, 0.5);
            }
            c.set(x, y, col);
        }
    }
    // rounded corners: the ink border steps in
    const int corner[][2] = {{2, 2}, {3, 2}, {2, 3}};
    for (const auto& k : corner) {
        c.set(f.x + k[0], f.y + k[1], pal::ink);
        c.set(f.x + f.w - 1 - k[0], f.y + k[1], pal::ink);
        c.set(f.x + k[0], f.y + f.h - 1 - k[1], pal::ink);
        c.set(f.x + f.w - 1 - k[0], f.y + f.h - 1 - k[1], pal::ink);
    }
    // studs in the corners of the inner panel
    const int studs[][2] = {{14, 14}, {-15, 14}, {14, -16}, {-15, -16}};
    for (const auto& s : studs) {
        int sx = s[0] >= 0 ? f.x + s[0] : f.x + f.w + s[0];
        int sy = s[1] >= 0 ? f.y + s[1] : f.y + f.h + s[1];
        c.fillRect(sx - 1, sy - 1, 3, 3, highlighted ? pal::crimson[3] : pal::gold[3]);
        c.set(sx - 1, sy - 1, highlighted ? pal::crimson[5] : pal::gold[5]);
        c.set(sx + 1, sy + 1, highlighted ? pal::crimson[1] : pal::gold[1]);
    }
    const int scale = layout.labelScale;
    Canvas text = highlighted ? labelText(label, scale, pal::white, pal::white, pal::fire[1])
                              : labelText(label, scale, pal::sand[4], pal::sand[5], pal::ink);
    c.blit(text, f.x + (f.w - text.width()) / 2 + 2, f.y + (f.h - text.height()) / 2 + 1);
    return c;
}

Canvas buttonSheet(const std::string& label, const ButtonLayout& layout) {
    Canvas sheet(layout.frameW, layout.frameH * 2);
    sheet.blit(buttonFrame(label, layout, false), 0, 0);
    sheet.blit(buttonFrame(label, layout, true), 0, layout.frameH);
    return sheet;
}

}  // namespace

void addScreenPictures(std::vector<PictureJob>& jobs) {
    jobs.push_back({"sprites/menu.png", menuPicture});
    jobs.push_back({"sprites/win_screen.png", winPicture});
    // The menu draws each frame 74 / 78 (start) and 64 / 64 (quit) pixels left of and above
    // the clickable rectangle of 226 x 82 and 172 x 92.
    jobs.push_back({"sprites/start.png", [] { return buttonSheet("START", {374, 238, {74, 78, 226, 82}}); }});
    jobs.push_back({"sprites/quit.png", [] { return buttonSheet("QUIT", {300, 220, {64, 64, 172, 92}}); }});
    // Continue and Levels, shown above start once a level is finished: 28 pixels of glow round
    // a face of 164 x 48.
    jobs.push_back({"sprites/continue.png", [] { return buttonSheet("CONTINUE", {220, 104, {28, 28, 164, 48}, 3}); }});
    jobs.push_back({"sprites/levels.png", [] { return buttonSheet("LEVELS", {220, 104, {28, 28, 164, 48}, 3}); }});
}
