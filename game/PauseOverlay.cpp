#include "game/PauseOverlay.h"

#include <GL/gl.h>

#include <cstdint>

namespace {

const int glyphWidth = 5;
const int glyphHeight = 7;
const int glyphGap = 1;      // font pixels between letters
const int fontPixel = 6;     // logical pixels per font pixel
const int shadowOffset = 1;  // font pixels down and right
const float dimAlpha = 0.45f;
const float inkColour[4] = {0.98f, 0.88f, 0.55f, 1.0f};
const float shadowColour[4] = {0.08f, 0.06f, 0.16f, 1.0f};

// The letters of "PAUSED", top row first; '#' is ink.
const char* const glyphs[6][glyphHeight] = {
    {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."},
    {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"},
    {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {".####", "#....", "#....", ".###.", "....#", "....#", "####."},
    {"#####", "#....", "#....", "####.", "#....", "#....", "#####"},
    {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."},
};
const int letters = 6;

void quad(int64_t x, int64_t y, int64_t w, int64_t h) {
    glVertex2d(static_cast<double>(x), static_cast<double>(y));
    glVertex2d(static_cast<double>(x + w), static_cast<double>(y));
    glVertex2d(static_cast<double>(x + w), static_cast<double>(y + h));
    glVertex2d(static_cast<double>(x), static_cast<double>(y + h));
}

void drawWord(int64_t left, int64_t top, const float* colour) {
    glColor4fv(colour);
    glBegin(GL_QUADS);
    for (int letter = 0; letter < letters; ++letter) {
        const int64_t letterLeft = left + int64_t{letter} * (glyphWidth + glyphGap) * fontPixel;
        for (int row = 0; row < glyphHeight; ++row) {
            for (int column = 0; column < glyphWidth; ++column) {
                if (glyphs[letter][row][column] == '#') {
                    quad(letterLeft + column * fontPixel, top + row * fontPixel, fontPixel, fontPixel);
                }
            }
        }
    }
    glEnd();
}

}  // namespace

void drawPauseOverlay(Bounds view) {
    const bool blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glColor4f(0.0f, 0.0f, 0.0f, dimAlpha);
    glBegin(GL_QUADS);
    quad(view.x, view.y, view.w, view.h);
    glEnd();

    const int textWidth = (letters * (glyphWidth + glyphGap) - glyphGap) * fontPixel;
    const int textHeight = glyphHeight * fontPixel;
    const int64_t left = int64_t{view.x} + view.w / 2 - textWidth / 2;
    const int64_t top = int64_t{view.y} + view.h / 2 - textHeight / 2;
    drawWord(left + shadowOffset * fontPixel, top + shadowOffset * fontPixel, shadowColour);
    drawWord(left, top, inkColour);

    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    if (!blending) {
        glDisable(GL_BLEND);
    }
}
