#include "graphics/PixelProjection.h"

#include <GL/gl.h>

void setPixelProjection(int width, int height, int scale) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, static_cast<double>(width) / scale, static_cast<double>(height) / scale, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
