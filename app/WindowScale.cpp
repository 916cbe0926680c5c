#include "app/WindowScale.h"

#include <algorithm>

int wholeScale(int windowWidth, int windowHeight, int viewWidth, int viewHeight) {
    if (viewWidth <= 0 || viewHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) {
        return 1;
    }
    return std::max(1, std::min(windowWidth / viewWidth, windowHeight / viewHeight));
}
