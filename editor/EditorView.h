#pragma once
#include <cstdint>

#include "core/Bounds.h"
#include "core/SaturatingMath.h"

// The editor's window onto the level: the level pixel at the window's top-left corner, moved by
// panning and the wheel. Window and level pixels are the same size; only the corner moves.
class EditorView {
public:
    static constexpr int kWheelStep = 48;  // level pixels a wheel notch scrolls
    static constexpr int kMargin = 64;     // window pixels of the level that always stay in sight

    EditorView() = default;
    EditorView(int left, int top) : x(left), y(top) {}

    // Levels may reach the int limits: the sums saturate there.
    int toLevelX(int windowX) const { return saturateToInt32(int64_t{windowX} + x); }
    int toLevelY(int windowY) const { return saturateToInt32(int64_t{windowY} + y); }
    int toWindowX(int levelX) const { return saturateToInt32(int64_t{levelX} - x); }
    int toWindowY(int levelY) const { return saturateToInt32(int64_t{levelY} - y); }

    // The pointer dragged the level by (dx, dy) window pixels: the level follows the pointer.
    void pan(int dx, int dy);
    // Wheel notches: down (positive) shows what lies below, or to the right when sideways.
    void scroll(int notches, bool sideways);
    // Keeps some of the level in a window of that size, however far it was panned.
    void keepLevelInSight(int levelWidth, int levelHeight, int windowWidth, int windowHeight);
    Bounds area(int windowWidth, int windowHeight) const { return Bounds{x, y, windowWidth, windowHeight}; }

    int x = 0;
    int y = 0;
};

// Positions snap to the 16 px grid (the nearest line, halves up) unless snapping is off.
constexpr int kSnapGrid = 16;
int snapped(int value, bool free);
