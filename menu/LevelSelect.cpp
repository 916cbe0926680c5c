#include "menu/LevelSelect.h"

#include <GL/gl.h>

#include <algorithm>

#include "core/GameUnits.h"
#include "game/PixelText.h"

namespace {

const float dimAlpha = 0.6f;
const int titleScale = 4;
const int titleTop = 40;  // logical pixels below the picture's top
const int rowScale = 2;
const int rowsTop = 110;
const int rowStep = 26;
const int bottomMargin = 50;
const int sideMargin = 40;
const int numberWidth = 48;
const size_t longestName = 26;
const int helpScale = 2;
const int helpBottom = 30;
const char* const title = "Levels";
const char* const help = "Enter: play   Escape: back";
const char* const noTime = "-:--.--";

const pixeltext::Colour ink{0.98f, 0.88f, 0.55f, 1.0f};
const pixeltext::Colour plain{0.85f, 0.85f, 0.92f, 1.0f};
const pixeltext::Colour litInk{1.0f, 0.75f, 0.2f, 1.0f};
const pixeltext::Colour shadow{0.08f, 0.06f, 0.16f, 1.0f};

void dim(Bounds area) {
    const bool blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, dimAlpha);
    glBegin(GL_QUADS);
    glVertex2d(area.x, area.y);
    glVertex2d(static_cast<double>(area.x) + area.w, area.y);
    glVertex2d(static_cast<double>(area.x) + area.w, static_cast<double>(area.y) + area.h);
    glVertex2d(area.x, static_cast<double>(area.y) + area.h);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    if (!blending) {
        glDisable(GL_BLEND);
    }
}

void centred(const std::string& text, Bounds area, int64_t top, int scale, pixeltext::Colour colour) {
    pixeltext::draw(text, int64_t{area.x} + area.w / 2 - pixeltext::width(text, scale) / 2, top, scale, colour, shadow);
}

}  // namespace

void LevelSelect::open(std::vector<LevelRecord> reached) {
    rows = std::move(reached);
    lit = 0;
}

void LevelSelect::step(bool down) {
    const int next = down ? lit + 1 : lit - 1;
    if (next >= 0 && next < static_cast<int>(rows.size())) {
        lit = next;
    }
}

int LevelSelect::visibleRows(Bounds area) const {
    return std::max(1, (area.h - rowsTop - bottomMargin) / rowStep);
}

int LevelSelect::firstShown(Bounds area) const {
    const int shown = visibleRows(area);
    return std::max(0, std::min(lit - shown / 2, static_cast<int>(rows.size()) - shown));
}

int LevelSelect::point(Bounds area, int x, int y) {
    if (x < area.x + sideMargin || int64_t{x} >= int64_t{area.x} + area.w - sideMargin) {
        return -1;
    }
    const int64_t offset = int64_t{y} - area.y - rowsTop + (rowStep - pixeltext::height(rowScale)) / 2;
    if (offset < 0) {
        return -1;
    }
    const int64_t row = offset / rowStep;
    const int index = firstShown(area) + static_cast<int>(row);
    if (row >= visibleRows(area) || index >= static_cast<int>(rows.size())) {
        return -1;
    }
    lit = index;
    return index;
}

std::string LevelSelect::chosen() const {
    return rows.empty() ? std::string() : rows[static_cast<size_t>(lit)].file;
}

void LevelSelect::draw(Bounds area) const {
    dim(area);
    centred(title, area, int64_t{area.y} + titleTop, titleScale, ink);
    const int first = firstShown(area);
    const int last = std::min(static_cast<int>(rows.size()), first + visibleRows(area));
    for (int i = first; i < last; ++i) {
        const LevelRecord& record = rows[static_cast<size_t>(i)];
        const pixeltext::Colour colour = i == lit ? litInk : plain;
        const int64_t top = int64_t{area.y} + rowsTop + int64_t{i - first} * rowStep;
        const int64_t left = int64_t{area.x} + sideMargin;
        const std::string name = record.name.empty() ? record.file : record.name;
        pixeltext::draw((i == lit ? ">" : " ") + std::to_string(i + 1), left, top, rowScale, colour, shadow);
        pixeltext::draw(name.substr(0, longestName), left + numberWidth, top, rowScale, colour, shadow);
        const std::string time =
            record.bestTicks < 0 ? noTime : pixeltext::clock(record.bestTicks, units::kTickMilliseconds);
        pixeltext::draw(time, int64_t{area.x} + area.w - sideMargin - pixeltext::width(time, rowScale), top, rowScale,
                        colour, shadow);
    }
    if (rows.empty()) {
        centred("None yet", area, int64_t{area.y} + rowsTop, rowScale, plain);
    }
    centred(help, area, int64_t{area.y} + area.h - helpBottom - pixeltext::height(helpScale), helpScale, plain);
}
