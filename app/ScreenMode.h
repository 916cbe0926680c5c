#pragma once
#include <cstddef>

#include "app/PictureScaler.h"
#include "app/WindowScale.h"
#include "core/Bounds.h"

// The real window behind the logical one the game lays itself out in. The active state's view
// is enlarged by a whole number s (s x s real pixels per logical pixel) in full screen, or in a
// window when the settings hold "scale=auto"; otherwise s is 1 and logical is real. Fitted
// ("scale=fit", or full screen where the whole number would leave over a third of the height
// black) the logical window is the view itself, enlarged by the whole number and then smoothly
// to fill the window; with either setting a view larger than the window is shrunk to fit.
// Above 1 the picture is drawn at its logical size and enlarged in one step (see PictureScaler).
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
    // The window was covered or uncovered: the black around the picture is drawn again.
    void windowExposed();

    // A window position in logical pixels.
    int toLogicalX(int x) const;
    int toLogicalY(int y) const;
    // A rectangle in logical pixels as the pixels it is drawn into in this frame, rows counted
    // from the bottom as GL counts them.
    Bounds windowBox(int x, int y, int width, int height) const;
    // Drawing is cut to that window rectangle until unclip.
    void clip(Bounds windowBox) const;
    void unclip() const;
    // Around the active state's display: no clip, the surface it draws on readied and cleared;
    // afterwards an enlarged picture is put on the window. At scale 1 the state draws straight
    // into the window, cleared every frame. finishFrame is true when the picture is already
    // shown and the back buffer must not be swapped.
    void beginFrame();
    bool finishFrame();
    void chooseEnlarger(PictureScaler::Enlarger chosen) { scaler.chooseEnlarger(chosen); }

    bool autoScale = false;
    bool fitScale = false;
    bool fullScreen = false;
    bool gameMode = false;
    int scale = 1;  // whole number for the pointer; 1 when fitted

private:
    ScreenMode() = default;

    struct Layout {
        int scale = 1;
        bool fitted = false;
        PictureFit fit;
        int viewWidth = 0;
        int viewHeight = 0;
        bool operator==(const Layout& o) const {
            return scale == o.scale && fitted == o.fitted && fit.whole == o.fit.whole && fit.shown == o.fit.shown &&
                   viewWidth == o.viewWidth && viewHeight == o.viewHeight;
        }
    };
    Layout pickLayout() const;
    Bounds pictureBox() const;
    void directFrame();
    void filterTextures(bool nearest);

    int windowWidth = 0;  // real pixels; 0 until the first reshape
    int windowHeight = 0;
    Layout layout;
    bool texturesNearest = false;
    size_t filteredTextures = 0;

    PictureScaler scaler;
    bool scaledFrame = false;
    // The frame's surface: the logical point drawn at the viewport's top-left, real pixels a unit.
    int drawLeft = 0;
    int drawTop = 0;
    int drawScale = 1;
    Bounds lastShown{};
    int windowClears = 0;  // frames still to clear the whole window
};
