#pragma once
#include <cstdint>
#include <vector>

// A real GL context for drawing tests: one freeglut window under Xvfb (Mesa llvmpipe), set up
// with the game's pixel projection (origin top-left, y down, one unit per pixel).
namespace testsupport {

// Creates the window on the first call; later calls only make it current and reset the
// projection to width x height. Clears to opaque black.
void ensureGlContext(int width = 640, int height = 480);

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

// Reads one pixel of the back buffer in window coordinates (x right, y down from the top-left).
Rgba readPixel(int x, int y);

// Clears the back buffer to opaque black.
void clearScreen();

}  // namespace testsupport
