#pragma once
#include <cstddef>

#include "core/Bounds.h"

// The real window behind the logical one the game lays itself out in. The active state's view
// is drawn at a whole-number scale s (s x s real pixels per logical pixel) chosen in full screen,
// or in a window when the settings hold "scale=auto"; otherwise s is 1 and logical is real.
class ScreenMode {
public:
    // The process-wide instance, created on first use. Never destroyed.
    static ScreenMode* instance();

    // A new real window size (at least 1 x 1): picks the scale, stores the logical size in the
    // texture manager and sets viewport and projection.
    void applyWindowSize(int width, int height);
    // Picks the scale again for the active state's view (after a hand-over); when it stays the
    // same nothing is touched.
    void refresh();
    // A borderless window covering the screen, and back to the size it had. Not in game mode.
    void toggleFullScreen();
    // Asked for by the settings: game mode when the display allows it, else the full-screen window.
    void enterFullScreen();

    // A window position in logical pixels.
    int toLogical(int coordinate) const { return coordinate / scale; }
    // A rectangle in logical pixels as the window's real pixels, rows counted from the bottom
    // as GL counts them.
    Bounds windowBox(int x, int y, int width, int height) const;
    // Drawing is cut to that window rectangle until unclip.
    void clip(Bounds windowBox) const;
    void unclip() const;
    // Before each frame: no clip, and while the scale is above 1 every texture is magnified
    // without blur.
    void prepareFrame();

    bool autoScale = false;
    bool fullScreen = false;
    bool gameMode = false;
    int scale = 1;

private:
    ScreenMode() = default;
    int pickScale() const;

    int windowWidth = 0;  // real pixels; 0 until the first reshape
    int windowHeight = 0;
    bool texturesNearest = false;
    size_t filteredTextures = 0;
};
