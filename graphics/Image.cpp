#include "graphics/Image.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <iostream>

#include "core/SaturatingMath.h"
#include "graphics/TextureManager.h"

namespace {

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

void Image::draw(int dx, int dy) const {
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

    int64_t column = shownColumn();
    int64_t row = shownRow();

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
