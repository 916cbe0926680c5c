#pragma once

#include "core/Bounds.h"

// The whole-number scale of the picture: the largest s at which a view of viewWidth x
// viewHeight logical pixels, drawn s x s real pixels each, still fits the window; never below 1.
// A view with no size gives 1.
int wholeScale(int windowWidth, int windowHeight, int viewWidth, int viewHeight);

// True when the whole-number scale leaves more than a third of the window's height black, as a
// 640 x 480 picture does on a 1366 x 768 screen. A view with no size, or one taller than the
// window, never does: it is cut, not letterboxed.
bool wholeScaleLeavesTooMuchBlack(int windowWidth, int windowHeight, int viewWidth, int viewHeight);

// The view enlarged (or shrunk) to fill the window keeping its aspect, centred: first by the
// whole number `whole`, without blur, then by what is left, smoothly. `shown` is where it lands in
// real pixels from the window's top-left corner; whole is 1 when the view does not fit twice.
struct PictureFit {
    int whole = 1;
    Bounds shown;
};

// A view or a window with no size gives the view as it is, at the top-left corner.
PictureFit sharpFit(int windowWidth, int windowHeight, int viewWidth, int viewHeight);
