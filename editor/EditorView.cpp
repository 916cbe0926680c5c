#include "editor/EditorView.h"

#include <algorithm>
#include <cstdint>

#include "core/SaturatingMath.h"

void EditorView::pan(int dx, int dy) {
    x = saturateToInt32(int64_t{x} - dx);
    y = saturateToInt32(int64_t{y} - dy);
}

void EditorView::scroll(int notches, bool sideways) {
    int& corner = sideways ? x : y;
    corner = saturateToInt32(int64_t{corner} + int64_t{notches} * kWheelStep);
}

namespace {

// A level narrower than the margin still keeps its whole width within reach.
int32_t keptInSight(int32_t corner, int levelSize, int windowSize) {
    const int64_t lowest = int64_t{EditorView::kMargin} - windowSize;
    const int64_t highest = std::max(int64_t{levelSize} - EditorView::kMargin, lowest);
    return saturateToInt32(std::clamp<int64_t>(corner, lowest, highest));
}

}  // namespace

void EditorView::keepLevelInSight(int levelWidth, int levelHeight, int windowWidth, int windowHeight) {
    x = keptInSight(x, levelWidth, windowWidth);
    y = keptInSight(y, levelHeight, windowHeight);
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
