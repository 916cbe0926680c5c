#include "app/WindowScale.h"

#include <algorithm>
#include <cstdint>

int wholeScale(int windowWidth, int windowHeight, int viewWidth, int viewHeight) {
    if (viewWidth <= 0 || viewHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) {
        return 1;
    }
    return std::max(1, std::min(windowWidth / viewWidth, windowHeight / viewHeight));
}

bool wholeScaleLeavesTooMuchBlack(int windowWidth, int windowHeight, int viewWidth, int viewHeight) {
    if (viewWidth <= 0 || viewHeight <= 0 || windowHeight <= 0 || viewHeight > windowHeight ||
        viewWidth > windowWidth) {
        return false;
    }
    const int64_t shownHeight = int64_t{viewHeight} * wholeScale(windowWidth, windowHeight, viewWidth, viewHeight);
    return 3 * (int64_t{windowHeight} - shownHeight) > windowHeight;
}

PictureFit sharpFit(int windowWidth, int windowHeight, int viewWidth, int viewHeight) {
    PictureFit fit;
    if (viewWidth <= 0 || viewHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) {
        fit.shown = Bounds{0, 0, std::max(0, viewWidth), std::max(0, viewHeight)};
        return fit;
    }
    fit.whole = std::max(1, std::min(windowWidth / viewWidth, windowHeight / viewHeight));
    // The side the window is short of for the view's aspect fills it; the other follows.
    int64_t width = windowWidth;
    int64_t height = windowHeight;
    if (int64_t{windowWidth} * viewHeight > int64_t{windowHeight} * viewWidth) {
        width = int64_t{viewWidth} * windowHeight / viewHeight;
    } else {
        height = int64_t{viewHeight} * windowWidth / viewWidth;
    }
    width = std::max<int64_t>(1, width);
    height = std::max<int64_t>(1, height);
    fit.shown =
        Bounds{static_cast<int32_t>((windowWidth - width) / 2), static_cast<int32_t>((windowHeight - height) / 2),
               static_cast<int32_t>(width), static_cast<int32_t>(height)};
    return fit;
}
