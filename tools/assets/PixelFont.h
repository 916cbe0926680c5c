#pragma once
#include "Canvas.h"

#include <map>
#include <string>
#include <vector>

// A bitmap font drawn by hand: each glyph is rows of '#' (ink) and '.' (empty).
// render() gives a white mask of the text; callers colour and outline it.
class PixelFont {
public:
    // The 5 x 7 font for labels.
    static const PixelFont& small();
    // The chunky 8 x 10 font for titles (capitals used in titles only).
    static const PixelFont& title();

    // Mask of the text, each font pixel a scale x scale block, glyphs `spacing` font
    // pixels apart. Characters the font lacks render as blanks.
    Canvas render(const std::string& text, int scale, int spacing = 1) const;
    int textWidth(const std::string& text, int scale, int spacing = 1) const;
    int glyphHeight() const { return height; }

private:
    PixelFont(int glyphWidth, int glyphHeight, std::map<char, std::vector<std::string>> glyphs);

    int width;
    int height;
    std::map<char, std::vector<std::string>> glyphs;
};
