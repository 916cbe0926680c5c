// Brisel, the hooded wanderer: a 6 x 3 sheet of 64 x 56 frames facing right. The body fills
// the 34 x 46 collision box at x 15..48, y 9..54 of every frame and the soles rest on row 54.
#include "CharacterArt.h"

#include "AssetList.h"
#include "Palette.h"
#include "Shading.h"

#include <array>

namespace {

constexpr int kFrameW = 64;
constexpr int kFrameH = 56;
constexpr int kColumns = 6;
constexpr int kRows = 3;
constexpr int kGroundRow = 54;  // last row of the collision box: the soles' outline lies on it

struct Leg {
    int x;     // left edge of the boot
    int lift;  // pixels between the sole and the ground
};

struct Pose {
    int bob = 0;      // whole upper body, + is down
    int headBob = 0;  // hood on top of that (breathing)
    bool blink = false;
    Leg back{21, 0};
    Leg front{33, 0};
    int hemBack = 0;    // trailing hem corner, + further back
    int hemFront = 0;   // leading hem corner, + further forward
    int hemDrop = 0;    // + longer, - lifted
    int scarfLift = 0;  // tail end, - up
    int scarfWave = 0;
    int handX = 0;
    int handY = 0;
};

Canvas blank() {
    return Canvas(kFrameW, kFrameH);
}

// Lays a shaded part over the frame with a dark seam where it covers earlier parts.
void addPart(Canvas& frame, const Canvas& part, Rgba seam) {
    Canvas edge = part;
    edge.outline(seam);
    for (int y = 0; y < kFrameH; ++y) {
        for (int x = 0; x < kFrameW; ++x) {
            if (edge.filled(x, y) && !part.filled(x, y) && frame.filled(x, y)) {
                frame.set(x, y, seam);
            }
        }
    }
    frame.blit(part, 0, 0);
}

void drawLeg(Canvas& frame, const Leg& leg, bool far) {
    int sole = kGroundRow - 1 - leg.lift;
    Canvas trousers = blank();
    trousers.fillRect(leg.x + 1, 40, 5, sole - 3 - 40, pal::white);
    Canvas boot = blank();
    boot.fillRect(leg.x, sole - 3, 6, 4, pal::white);
    boot.fillRect(leg.x + 6, sole - 1, 2, 2, pal::white);
    boot.set(leg.x + 6, sole - 2, pal::white);
    int shift = far ? 0 : 1;
    addPart(frame, shading::shade(trousers, pal::stone, 1, 2 + shift), pal::ink);
    addPart(frame, shading::shade(boot, pal::earth, 1, 2 + shift), pal::ink);
    for (int x = leg.x; x < leg.x + 8; ++x) {
        if (frame.filled(x, sole)) {
            frame.set(x, sole, pal::earth[0]);
        }
    }
}

void drawScarfTail(Canvas& frame, const Pose& p) {
    Canvas tail = blank();
    int y = 29 + p.bob;
    std::array<int, 4> wave{0, 1, 0, -1};
    int w0 = wave[static_cast<size_t>(p.scarfWave % 4)];
    int w1 = wave[static_cast<size_t>((p.scarfWave + 1) % 4)];
    tail.fillPolygon({{24, y - 2.0},
                      {24, y + 2.0},
                      {17, y + 3.0 + w0 + p.scarfLift / 2},
                      {11, y + 4.0 + w1 + p.scarfLift},
                      {12, y + 1.0 + w1 + p.scarfLift},
                      {17, y + 0.0 + w0 + p.scarfLift / 2}},
                     pal::white);
    addPart(frame, shading::shade(tail, pal::gold, 1, 3), pal::ink);
}

void drawCloak(Canvas& frame, const Pose& p) {
    int b = p.bob;
    Canvas cloak = blank();
    double hem = 47.0 + p.hemDrop;
    cloak.fillPolygon({{23, 26.0 + b},
                       {40, 26.0 + b},
                       {43, 33.0 + b},
                       {45.0 + p.hemFront, hem + b - 1},
                       {40.0, hem + b + 1},
                       {31.0, hem + b},
                       {24.0, hem + b + 1},
                       {18.0 - p.hemBack, hem + b - 1},
                       {20, 33.0 + b}},
                      pal::white);
    Canvas shaded = shading::shade(cloak, pal::crimson, 1, 4);
    // a fold down the middle catches the eye as the hem swings
    for (int y = 34 + b; y < hem + b - 1; ++y) {
        int x = 30 + (y - 34 - b) / 6 - p.hemBack / 3;
        if (shaded.filled(x, y) && shaded.filled(x, y + 1)) {
            shaded.set(x, y, pal::crimson[1]);
        }
    }
    addPart(frame, shaded, pal::ink);
    // satchel on the back hip, strap across the chest
    Canvas bag = blank();
    bag.fillRect(18 - p.hemBack / 2, 36 + b, 7, 7, pal::white);
    bag.set(18 - p.hemBack / 2, 36 + b, kClear);
    addPart(frame, shading::shade(bag, pal::earth, 2, 4), pal::ink);
    frame.line(39, 29 + b, 24, 37 + b, pal::earth[1]);
    frame.set(20 - p.hemBack / 2, 38 + b, pal::gold[4]);
}

void drawHand(Canvas& frame, const Pose& p) {
    Canvas hand = blank();
    int hx = 42 + p.handX;
    int hy = 38 + p.bob + p.handY;
    hand.fillRect(hx, hy, 3, 3, pal::white);
    hand.set(hx + 3, hy + 1, pal::white);
    addPart(frame, shading::shade(hand, pal::skin, 2, 4), pal::ink);
}

void drawHood(Canvas& frame, const Pose& p) {
    int b = p.bob + p.headBob;
    Canvas hood = blank();
    hood.fillEllipse(31.5, 20.0 + b, 12.5, 11.0, pal::white);
    // the hood's tip droops back over the shoulders
    hood.fillPolygon({{22, 11.0 + b}, {27, 10.0 + b}, {19, 20.0 + b}, {14, 27.0 + b}, {13, 24.0 + b}, {17, 16.0 + b}},
                     pal::white);
    Canvas shaded = shading::shade(hood, pal::crimson, 1, 5);
    addPart(frame, shaded, pal::ink);

    // face opening: a dark inner rim, skin below the hood's shadow
    Canvas opening = blank();
    opening.fillEllipse(37.5, 22.0 + b, 6.0, 6.5, pal::white);
    Canvas face = blank();
    face.fillEllipse(38.0, 22.5 + b, 5.0, 5.5, pal::white);
    for (int y = 0; y < kFrameH; ++y) {
        for (int x = 0; x < kFrameW; ++x) {
            if (opening.filled(x, y)) {
                frame.set(x, y, pal::crimson[0]);
            }
            if (face.filled(x, y)) {
                bool shadowed = !face.filled(x, y - 2) || !face.filled(x - 2, y);
                frame.set(x, y, shadowed ? pal::skin[2] : pal::skin[3]);
            }
        }
    }
    int eyeY = 22 + b;
    if (p.blink) {
        frame.set(37, eyeY + 1, pal::ink);
        frame.set(38, eyeY + 1, pal::ink);
        frame.set(40, eyeY + 1, pal::ink);
        frame.set(41, eyeY + 1, pal::ink);
    } else {
        frame.fillRect(37, eyeY, 1, 2, pal::ink);
        frame.fillRect(41, eyeY, 1, 2, pal::ink);
    }
    frame.set(42, eyeY + 3, pal::dusk[4]);
}

void drawScarf(Canvas& frame, const Pose& p) {
    int y = 28 + p.bob;
    Canvas scarf = blank();
    scarf.fillPolygon({{22, y + 0.0}, {42, y - 1.0}, {43, y + 3.0}, {23, y + 4.0}}, pal::white);
    addPart(frame, shading::shade(scarf, pal::gold, 1, 4), pal::ink);
}

Canvas briselFrame(const Pose& p) {
    Canvas frame = blank();
    drawScarfTail(frame, p);
    drawLeg(frame, p.back, true);
    drawLeg(frame, p.front, false);
    drawCloak(frame, p);
    drawHand(frame, p);
    drawHood(frame, p);
    drawScarf(frame, p);
    frame.outline(pal::ink);
    return frame;
}

// Breathe in over three frames (the hood rises a pixel), blink at the top, breathe out.
std::array<Pose, kColumns> idlePoses() {
    std::array<Pose, kColumns> poses{};
    poses[2].headBob = -1;
    poses[3].headBob = -1;
    poses[3].hemBack = 1;
    poses[4].blink = true;
    poses[4].headBob = -1;
    for (size_t i = 0; i < poses.size(); ++i) {
        poses[i].scarfWave = static_cast<int>(i / 2);
    }
    return poses;
}

std::array<Pose, kColumns> walkPoses() {
    // contact, down, passing; then the same with the other leg leading
    struct Step {
        int lead;
        int leadLift;
        int trail;
        int trailLift;
        int bob;
        int hem;
        int hand;
    };
    const std::array<Step, 3> steps{{{38, 0, 18, 1, 0, 2, 2}, {35, 0, 22, 3, 1, 1, 1}, {31, 0, 28, 4, -1, 0, -1}}};
    std::array<Pose, kColumns> poses{};
    for (size_t i = 0; i < poses.size(); ++i) {
        const Step& s = steps[i % 3];
        Pose& p = poses[i];
        bool frontLeads = i < 3;
        Leg lead{s.lead, s.leadLift};
        Leg trail{s.trail, s.trailLift};
        p.front = frontLeads ? lead : trail;
        p.back = frontLeads ? trail : lead;
        p.bob = s.bob;
        p.hemBack = s.hem;
        p.hemFront = 1 - s.hem / 2;
        p.handX = frontLeads ? -s.hand : s.hand;
        p.scarfWave = static_cast<int>(i);
        p.scarfLift = -1;
    }
    return poses;
}

Pose risingPose() {
    Pose p;
    p.front = Leg{39, 4};
    p.back = Leg{20, 0};
    p.hemFront = -3;
    p.hemBack = 3;
    p.scarfLift = 4;
    p.handX = 1;
    p.handY = -9;
    return p;
}

Pose fallingPose() {
    Pose p;
    p.front = Leg{36, 0};
    p.back = Leg{19, 1};
    p.hemDrop = -3;
    p.hemBack = 3;
    p.hemFront = 2;
    p.scarfLift = -6;
    p.handX = 2;
    p.handY = -3;
    return p;
}

}  // namespace

Canvas briselSheet() {
    Canvas sheet(kFrameW * kColumns, kFrameH * kRows);
    std::array<Pose, kColumns> idle = idlePoses();
    std::array<Pose, kColumns> walk = walkPoses();
    for (int c = 0; c < kColumns; ++c) {
        sheet.blit(briselFrame(idle[static_cast<size_t>(c)]), c * kFrameW, 0);
        sheet.blit(briselFrame(walk[static_cast<size_t>(c)]), c * kFrameW, kFrameH);
        // Only the first two airborne columns are ever shown; the rest repeat them.
        sheet.blit(briselFrame(c % 2 == 0 ? risingPose() : fallingPose()), c * kFrameW, 2 * kFrameH);
    }
    return sheet;
}

Canvas briselPose(int column, int row) {
    return briselSheet().region((column - 1) * kFrameW, (row - 1) * kFrameH, kFrameW, kFrameH);
}

// The desktop icon: Brisel standing, as in the sheet's first frame, on a square.
Canvas briselIcon() {
    Canvas icon(64, 64);
    icon.blit(briselPose(1, 1), 0, 4);
    return icon;
}

void addCharacterPictures(std::vector<PictureJob>& jobs) {
    jobs.push_back({"sprites/brisel.png", briselSheet});
    jobs.push_back({"sprites/icon.png", briselIcon});
}
