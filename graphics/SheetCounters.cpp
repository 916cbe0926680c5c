#include "graphics/SheetCounters.h"

#include <cmath>

#include "core/SaturatingMath.h"

namespace {

// The wrap value of a counter: whole frames across the sheet times the ticks per frame.
int counterWrap(int sheetSize, float frameSize, unsigned int ticksPerFrame) {
    if (frameSize == 0.0f) {
        return 0;
    }
    return truncToInt(sheetSize / frameSize * ticksPerFrame);
}

// Counters wrap to 1, not 0.
int wrapCounter(int64_t counter, int wrap) {
    return counter >= wrap ? 1 : saturateToInt32(counter);
}

}  // namespace

int truncToInt(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483648.0f) {
        return INT32_MAX;
    }
    if (value < -2147483648.0f) {
        return INT32_MIN;
    }
    return static_cast<int>(value);
}

void SheetCounters::nextFrame() {
    frameCounter = wrapCounter(static_cast<int64_t>(frameCounter) + 1, columnTicks());
}

void SheetCounters::skipFrames(int64_t frames) {
    if (frames <= 0) {
        return;
    }
    const int64_t wrap = columnTicks();
    const int64_t counter = frameCounter;
    // The counter climbs until the step that reaches the wrap, which sets it to 1.
    const int64_t climb = counter < wrap - 1 ? wrap - 1 - counter : 0;
    if (frames <= climb) {
        frameCounter = static_cast<int>(counter + frames);
        return;
    }
    // From 1 it runs through 1 ... wrap - 1 and round again.
    const int64_t cycle = wrap > 2 ? wrap - 1 : 1;
    frameCounter = static_cast<int>(1 + (frames - climb - 1) % cycle);
}

void SheetCounters::setFrame(int n) {
    int64_t counter = n <= 0 ? 0 : (static_cast<int64_t>(n) - 1) * ticksPerFrame;
    frameCounter = wrapCounter(counter, columnTicks());
}

// No caller passes n <= 0; it shows row 1 like setFrame does for columns.
void SheetCounters::setRow(int n) {
    int64_t counter = n <= 0 ? 0 : (static_cast<int64_t>(n) - 1) * ticksPerFrame;
    rowCounter = wrapCounter(counter, rowTicks());
}

void SheetCounters::setTicksPerFrame(int n) {
    if (n <= 0) {
        return;
    }
    int64_t counter = static_cast<int64_t>(frameCounter) * n / static_cast<int64_t>(ticksPerFrame);
    ticksPerFrame = static_cast<unsigned int>(n);
    frameCounter = wrapCounter(counter, columnTicks());
}

int SheetCounters::columnTicks() const {
    return counterWrap(width, frameWidth, ticksPerFrame);
}

int SheetCounters::rowTicks() const {
    return counterWrap(height, frameHeight, ticksPerFrame);
}

int64_t SheetCounters::shownColumn() const {
    return frameCounter / static_cast<int64_t>(ticksPerFrame) + 1;
}

int64_t SheetCounters::shownRow() const {
    return rowCounter / static_cast<int64_t>(ticksPerFrame) + 1;
}
