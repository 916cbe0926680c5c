#include "editor/EditorView.h"

#include <algorithm>
#include <cstdint>

#include "core/SaturatingMath.h"

void EditorView::pan(int dx, int dy) {
    x -= dx;
    y -= dy;
}

void EditorView::scroll(int notches, bool sideways) {
    (sideways ? x : y) += notches * kWheelStep;
}

void EditorView::keepLevelInSight(int levelWidth, int levelHeight, int windowWidth, int windowHeight) {
    // A level narrower than the margin still keeps its whole width within reach.
    x = std::clamp(x, kMargin - windowWidth, std::max(levelWidth - kMargin, kMargin - windowWidth));
    y = std::clamp(y, kMargin - windowHeight, std::max(levelHeight - kMargin, kMargin - windowHeight));
}

int snapped(int value, bool free) {
    if (free) {
        return value;
    }
    // Floor division, so that the grid runs on the same way left of 0.
    const int64_t shifted = int64_t{value} + kSnapGrid / 2;
    const int64_t line = shifted >= 0 ? shifted / kSnapGrid : -((-shifted + kSnapGrid - 1) / kSnapGrid);
    return saturateToInt32(line * kSnapGrid);
}
