#include "editor/screen/EditorDrawing.h"

#include <GL/gl.h>

#include <cstdint>

namespace editordrawing {

namespace {

void quad(int64_t x, int64_t y, int64_t w, int64_t h) {
    glVertex2d(static_cast<double>(x), static_cast<double>(y));
    glVertex2d(static_cast<double>(x + w), static_cast<double>(y));
    glVertex2d(static_cast<double>(x + w), static_cast<double>(y + h));
    glVertex2d(static_cast<double>(x), static_cast<double>(y + h));
}

// Blending on while the marks are drawn, and back as it was found afterwards.
class Blending {
public:
    Blending() : wasOn(glIsEnabled(GL_BLEND) == GL_TRUE) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    ~Blending() {
        if (!wasOn) glDisable(GL_BLEND);
    }
    Blending(const Blending&) = delete;
    Blending& operator=(const Blending&) = delete;

private:
    bool wasOn;
};

void beginPlain(Colour colour) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    glBegin(GL_QUADS);
}

void endPlain() {
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}

}  // namespace

void fill(Bounds box, Colour colour) {
    const Blending blending;
    beginPlain(colour);
    quad(box.x, box.y, box.w, box.h);
    endPlain();
}

void outline(Bounds box, int thickness, Colour colour) {
    const int64_t t = thickness;
    const Blending blending;
    beginPlain(colour);
    quad(box.x, box.y, box.w, t);
    quad(box.x, int64_t{box.y} + box.h - t, box.w, t);
    quad(box.x, int64_t{box.y} + t, t, int64_t{box.h} - 2 * t);
    quad(int64_t{box.x} + box.w - t, int64_t{box.y} + t, t, int64_t{box.h} - 2 * t);
    endPlain();
}

void picture(unsigned int texture, Bounds box) {
    if (texture == 0) {
        return;
    }
    // The same texture coordinates as Image gives a whole picture (t runs 0 to -1 down the
    // picture, through the texture's repeat), so a thumbnail stands as the picture does.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    const Blending blending;
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const double left = box.x;
    const double top = box.y;
    const double right = static_cast<double>(int64_t{box.x} + box.w);
    const double bottom = static_cast<double>(int64_t{box.y} + box.h);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2d(left, top);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2d(right, top);
    glTexCoord2f(1.0f, -1.0f);
    glVertex2d(right, bottom);
    glTexCoord2f(0.0f, -1.0f);
    glVertex2d(left, bottom);
    glEnd();
}

}  // namespace editordrawing
