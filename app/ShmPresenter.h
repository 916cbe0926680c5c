#pragma once
#include <cstdint>
#include <vector>

#include "core/Bounds.h"

// Puts a picture GL drew at its logical size on the window through X shared memory, enlarged by
// a whole number on the processor. Under a software renderer this costs a small part of what
// drawing the enlarged picture as a textured quad does. Owns its shared image and its buffers;
// needs the window's GL context to be current.
class ShmPresenter {
public:
    ShmPresenter() = default;
    ~ShmPresenter();
    ShmPresenter(const ShmPresenter&) = delete;
    ShmPresenter& operator=(const ShmPresenter&) = delete;

    // Whether the renderer draws on the processor, where this way is the cheaper one.
    static bool softwareRenderer();

    // Reads the picture of `width` x `height` whose bottom-left corner is at (cornerX, cornerY)
    // in the back buffer and shows it enlarged by `whole` at `shown` (real pixels from the
    // window's top-left); with clearWindow the window is first cleared to black. False, with
    // nothing shown, when the display or its visual cannot take it that way.
    bool present(int cornerX, int cornerY, int width, int height, int whole, Bounds shown, bool clearWindow);
    // The window took a new size. A software renderer learns a window's size when its buffers
    // are swapped, which pictures shown here skip: before the next frame is drawn, showNewSize
    // swaps once (the window shows the old picture a moment longer), so that frame is drawn and
    // read at the new size.
    void windowResized();
    void showNewSize();

private:
    bool ready(int width, int height);
    void release();

    bool refused = false;   // told once; GL enlarges from then on
    bool attached = false;  // the display holds the segment
    bool shownOnce = false;
    bool sizeUnseen = false;
    void* display = nullptr;
    unsigned long window = 0;
    void* image = nullptr;    // XImage
    void* segment = nullptr;  // XShmSegmentInfo
    void* context = nullptr;  // GC
    std::vector<uint32_t> picture;
};
