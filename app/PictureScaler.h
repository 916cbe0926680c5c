#pragma once
#include "app/ShmPresenter.h"
#include "core/Bounds.h"

// Puts a picture drawn at its logical size on the window enlarged or shrunk. The picture is drawn
// one pixel a logical pixel into the top-left corner of its own place in the back buffer (or into
// a texture of its own when it is larger than that place), copied into a texture and drawn once
// over its place: enlarged by the whole number without blur, then smoothly by what is left. Under
// a software renderer a whole-number enlargement is made on the processor and shown through X
// instead (see ShmPresenter). Owns its GL textures and framebuffer; needs the window's GL context
// to be current.
class PictureScaler {
public:
    enum class Enlarger { ByRenderer, Gl, Processor };

    PictureScaler() = default;
    ~PictureScaler();
    PictureScaler(const PictureScaler&) = delete;
    PictureScaler& operator=(const PictureScaler&) = delete;

    // Readies the logical rectangle `picture` to be drawn and shown at `shown` (real pixels from
    // the window's top-left corner), enlarged first by `whole`: viewport and projection set, the
    // picture's area cleared, the whole window first when clearWindow. False, with the viewport
    // and projection left to the caller, when GL cannot hold the picture.
    bool begin(int windowWidth, int windowHeight, Bounds picture, Bounds shown, int whole, bool clearWindow);
    // Draws what begin readied onto the window at its place. Leaves the viewport over the window.
    // True when the picture is already on the window, so the back buffer must not be swapped.
    bool finish();
    // The window took a new size.
    void windowResized() { presenter.windowResized(); }
    // Before a frame: lets the renderer see a size the window took since the last one.
    void showNewSize() { presenter.showNewSize(); }
    // Who enlarges by a whole number: by default the processor under a software renderer.
    void chooseEnlarger(Enlarger chosen) { enlarger = chosen; }

private:
    bool fitsTexture(unsigned int& texture, Bounds& size, int width, int height);
    bool drawOffscreen();
    bool enlargesOnProcessor();
    void putOnWindow(unsigned int texture, Bounds at, bool smooth) const;

    int windowWidth = 0;
    int windowHeight = 0;
    Bounds picture{};
    Bounds shown{};
    int whole = 1;
    bool offscreen = false;
    bool windowCleared = false;
    int cornerX = 0;  // GL pixels, rows from the bottom
    int cornerY = 0;

    unsigned int small = 0;  // the picture at its logical size
    Bounds smallSize{};
    unsigned int large = 0;  // the picture enlarged by the whole number, for the smooth step
    Bounds largeSize{};
    unsigned int framebuffer = 0;
    unsigned int attached = 0;                 // the texture the framebuffer draws into
    int framebuffers = -1;                     // -1 until asked: whether the driver has framebuffer objects
    Enlarger enlarger = Enlarger::ByRenderer;  // settled by the renderer at the first frame
    ShmPresenter presenter;
};
