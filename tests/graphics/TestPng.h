#pragma once
#include <png.h>

#include <string>
#include <vector>

// A PNG of any colour type, bit depth and interlacing, built in memory for the tests.
// rows holds the packed rows exactly as the file stores them (16-bit samples big-endian),
// top row first. encode() throws std::runtime_error when libpng refuses the description.
struct TestPng {
    int width = 1;
    int height = 1;
    int colorType = PNG_COLOR_TYPE_RGBA;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;  // tRNS of a palette image; may be shorter than the palette
    bool hasTransparentColor = false;    // tRNS of a grey or RGB image
    png_color_16 transparentColor{};
    std::vector<std::vector<png_byte>> rows;

    std::string encode() const;
    void write(const std::string& path) const;
};
