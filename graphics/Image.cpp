#include "graphics/Image.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <iostream>

#include "core/SaturatingMath.h"
#include "graphics/TextureManager.h"

namespace {

// Float to int, truncating toward zero like a plain cast, but defined for every value:
// out-of-range values saturate and NaN gives 0.
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

// A frame edge past the sheet is brought back into 1 ... size, so it samples the sheet again.
int wrapEdge(int edge, int size) {
    if (size <= 0 || edge <= size) {
        return edge;
    }
    return static_cast<int>((static_cast<int64_t>(edge) - 1) % size + 1);
}

}  // namespace

Image::Image(const std::string& fileName) : Image(fileName, 0, 0) {}

Image::Image(const std::string& fileName, int offsetX, int offsetY) {
    load(fileName);
    x = offsetX;
    y = offsetY;
}

void Image::load(const std::string& fileName) {
    TextureManager* textures = TextureManager::instance();
    texture = textures->getTexture(fileName);
    Bounds bounds = textures->getBounds(fileName);
    x = bounds.x;
    y = bounds.y;
    width = bounds.w;
    height = bounds.h;
    frameWidth = static_cast<float>(width);
    frameHeight = static_cast<float>(height);
}

void Image::partition(int columns, int rows) {
    if (columns <= 0 || rows <= 0 || columns > width || rows > height) {
        std::cout << "invalid image partion\n";
        return;
    }
    frameWidth = static_cast<float>(width / columns);
    frameHeight = static_cast<float>(height / rows);
}

void Image::nextFrame() {
    frameCounter = wrapCounter(static_cast<int64_t>(frameCounter) + 1, columnTicks());
}

void Image::skipFrames(int64_t frames) {
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

void Image::setFrame(int n) {
    int64_t counter = n <= 0 ? 0 : (static_cast<int64_t>(n) - 1) * ticksPerFrame;
    frameCounter = wrapCounter(counter, columnTicks());
}

// No caller passes n <= 0; it shows row 1 like setFrame does for columns.
void Image::setRow(int n) {
    int64_t counter = n <= 0 ? 0 : (static_cast<int64_t>(n) - 1) * ticksPerFrame;
    rowCounter = wrapCounter(counter, rowTicks());
}

// Rescales the column counter so the animation stays on the same column.
void Image::setTicksPerFrame(int n) {
    if (n <= 0) {
        return;
    }
    int64_t counter = static_cast<int64_t>(frameCounter) * n / static_cast<int64_t>(ticksPerFrame);
    ticksPerFrame = static_cast<unsigned int>(n);
    frameCounter = wrapCounter(counter, columnTicks());
}

int Image::columnTicks() const {
    return counterWrap(width, frameWidth, ticksPerFrame);
}

int Image::rowTicks() const {
    return counterWrap(height, frameHeight, ticksPerFrame);
}

void Image::draw(int dx, int dy) {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4fv(tint);

    // Texture coordinates below are in texels. The negative vertical scale turns the
    // bottom-up rows back, relying on GL_REPEAT; the negative horizontal one mirrors.
    // A sheet of size 0 (a picture that failed to load) gets scale 0 instead of infinity.
    float mirror = flipped ? -1.0f : 1.0f;
    float scaleS = width != 0 ? mirror / width : 0.0f;
    float scaleT = height != 0 ? -1.0f / height : 0.0f;
    glScalef(scaleS, scaleT, 1.0f);
    glBindTexture(GL_TEXTURE_2D, texture);

    int64_t ticks = static_cast<int64_t>(ticksPerFrame);
    int64_t column = frameCounter / ticks + 1;
    int64_t row = rowCounter / ticks + 1;

    int right = wrapEdge(truncToInt(frameWidth * column), width);
    int bottom = wrapEdge(truncToInt(frameHeight * row), height);
    int left = truncToInt(right - frameWidth);
    if (flipped) {
        left = truncToInt(static_cast<float>(static_cast<int64_t>(width) - left) - frameWidth);
    }
    int top = truncToInt(bottom - frameHeight);
    float texLeft = static_cast<float>(left);
    float texTop = static_cast<float>(top);

    int screenLeft = saturateToInt32(static_cast<int64_t>(dx) + x);
    int screenTop = saturateToInt32(static_cast<int64_t>(dy) + y);
    int screenRight = truncToInt(screenLeft + frameWidth);
    int screenBottom = truncToInt(screenTop + frameHeight);

    glBegin(GL_QUADS);
    glTexCoord2f(texLeft, texTop);
    glVertex2i(screenLeft, screenTop);
    glTexCoord2f(texLeft + frameWidth, texTop);
    glVertex2i(screenRight, screenTop);
    glTexCoord2f(texLeft + frameWidth, texTop + frameHeight);
    glVertex2i(screenRight, screenBottom);
    glTexCoord2f(texLeft, texTop + frameHeight);
    glVertex2i(screenLeft, screenBottom);
    glEnd();
}
