#include "game/PixelText.h"

#include <GL/gl.h>

#include <cctype>
#include <map>
#include <vector>

#include "core/SmallGlyphs.h"

namespace pixeltext {
namespace {

const int glyphWidth = pixelglyphs::kSmallWidth;
const int glyphHeight = pixelglyphs::kSmallHeight;
const int glyphGap = 1;  // font pixels between letters

// The shared small font, with the few signs text drawn in the game needs beyond it.
const std::map<char, std::vector<std::string>>& glyphs() {
    static const std::map<char, std::vector<std::string>> table = [] {
        std::map<char, std::vector<std::string>> all = pixelglyphs::small();
        all.insert({
            {'>', {"#....", ".#...", "..#..", "...#.", "..#..", ".#...", "#...."}},
            {'/', {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}},
            {',', {".....", ".....", ".....", ".....", ".....", "..#..", ".#..."}},
            {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
            {'(', {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."}},
            {')', {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."}},
            {'&', {".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"}},
        });
        return all;
    }();
    return table;
}

void quad(int64_t x, int64_t y, int64_t w, int64_t h) {
    glVertex2d(static_cast<double>(x), static_cast<double>(y));
    glVertex2d(static_cast<double>(x + w), static_cast<double>(y));
    glVertex2d(static_cast<double>(x + w), static_cast<double>(y + h));
    glVertex2d(static_cast<double>(x), static_cast<double>(y + h));
}

void drawInk(const std::string& text, int64_t left, int64_t top, int scale, Colour colour) {
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    glBegin(GL_QUADS);
    int64_t letterLeft = left;
    for (char c : text) {
        const auto found = glyphs().find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        if (found != glyphs().end()) {
            for (int row = 0; row < glyphHeight; ++row) {
                for (int column = 0; column < glyphWidth; ++column) {
                    if (found->second[row][column] == '#') {
                        quad(letterLeft + column * scale, top + row * scale, scale, scale);
                    }
                }
            }
        }
        letterLeft += int64_t{glyphWidth + glyphGap} * scale;
    }
    glEnd();
}

}  // namespace

int64_t width(const std::string& text, int scale) {
    if (text.empty()) {
        return 0;
    }
    return (static_cast<int64_t>(text.size()) * (glyphWidth + glyphGap) - glyphGap) * scale;
}

int64_t height(int scale) {
    return int64_t{glyphHeight} * scale;
}

void draw(const std::string& text, int64_t left, int64_t top, int scale, Colour ink, Colour shadow) {
    const bool blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (shadow.a > 0) {
        drawInk(text, left + scale, top + scale, scale, shadow);
    }
    drawInk(text, left, top, scale, ink);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    if (!blending) {
        glDisable(GL_BLEND);
    }
}

std::string clock(int64_t ticks, unsigned int millisecondsPerTick) {
    if (ticks < 0) {
        ticks = 0;
    }
    const int64_t hundredths = ticks * millisecondsPerTick / 10;
    const int64_t minutes = hundredths / 6000;
    const int64_t seconds = hundredths / 100 % 60;
    const int64_t rest = hundredths % 100;
    std::string text = std::to_string(minutes) + ":";
    text += static_cast<char>('0' + seconds / 10);
    text += static_cast<char>('0' + seconds % 10);
    text += '.';
    text += static_cast<char>('0' + rest / 10);
    text += static_cast<char>('0' + rest % 10);
    return text;
}

}  // namespace pixeltext
