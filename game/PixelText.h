#pragma once
#include <cstdint>
#include <string>

// Short lines of text in the game's blocky 5 x 7 letters, drawn with plain quads (no picture):
// capitals, digits and a little punctuation; small letters show as capitals and anything else
// as a gap. Positions and sizes are logical pixels; `scale` is logical pixels per font pixel.
namespace pixeltext {

struct Colour {
    float r, g, b, a;
};

// The width of the text at the scale, and the height of a line.
int64_t width(const std::string& text, int scale);
int64_t height(int scale);

// Draws the text with its top-left corner at (left, top), and a shadow one font pixel down and
// right when the shadow's alpha is above 0. Leaves texturing on and the colour white, as found.
void draw(const std::string& text, int64_t left, int64_t top, int scale, Colour ink, Colour shadow);

// A tick count as minutes, seconds and hundredths: "m:ss.cc".
std::string clock(int64_t ticks, unsigned int millisecondsPerTick);

}  // namespace pixeltext
