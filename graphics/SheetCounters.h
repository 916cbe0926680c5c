#pragma once
#include <cstdint>

// A sprite sheet's size, the frame that cuts it into a grid, and the two animation counters
// that pick the column and row to show. A plain value with no picture behind it, so the play
// step can animate a sheet without a window.
struct SheetCounters {
    void nextFrame();
    // The same as calling nextFrame that many times, in constant time.
    void skipFrames(int64_t frames);
    void setFrame(int n);
    void setRow(int n);
    // Rescales the column counter so the animation stays on the same column; n <= 0 is ignored.
    void setTicksPerFrame(int n);
    int columnTicks() const;
    int rowTicks() const;
    // The column and row on show, counting from 1.
    int64_t shownColumn() const;
    int64_t shownRow() const;

    int width = 0;
    int height = 0;
    float frameWidth = 0.0f;
    float frameHeight = 0.0f;
    unsigned int ticksPerFrame = 4;
    int frameCounter = 1;
    int rowCounter = 1;
};

// Float to int, truncating toward zero like a plain cast, but defined for every value:
// out-of-range values saturate and NaN gives 0.
int truncToInt(float value);
