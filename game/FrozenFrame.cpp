#include "game/FrozenFrame.h"

#include <GL/gl.h>

FrozenFrame::~FrozenFrame() {
    release();
}

bool FrozenFrame::holds(Bounds windowBox) const {
    return texture != 0 && windowBox.x == taken.x && windowBox.y == taken.y && windowBox.w == taken.w &&
           windowBox.h == taken.h;
}

void FrozenFrame::capture(Bounds windowBox) {
    release();
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (windowBox.w <= 0 || windowBox.h <= 0 || windowBox.w > largest || windowBox.h > largest) {
        return;
    }
    // Only the copy's own error may decide, not one left over from earlier drawing.
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, windowBox.x, windowBox.y, windowBox.w, windowBox.h, 0);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &id);
        return;
    }
    texture = id;
    taken = windowBox;
}

void FrozenFrame::draw(Bounds at) const {
    const double left = at.x;
    const double top = at.y;
    const double right = left + at.w;
    const double bottom = top + at.h;
    // Pictures leave their frame's scale in the texture matrix.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    // The copy's first row is the bottom of the window rectangle.
    glBegin(GL_QUADS);
    glTexCoord2d(0, 1);
    glVertex2d(left, top);
    glTexCoord2d(1, 1);
    glVertex2d(right, top);
    glTexCoord2d(1, 0);
    glVertex2d(right, bottom);
    glTexCoord2d(0, 0);
    glVertex2d(left, bottom);
    glEnd();
}

void FrozenFrame::release() {
    if (texture != 0) {
        glDeleteTextures(1, &texture);
        texture = 0;
    }
}
