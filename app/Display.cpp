#include "app/Display.h"

#include <GL/freeglut.h>

#include "app/Settings.h"
#include "graphics/TextureManager.h"

TextureManager* screen = nullptr;

void initDisplay() {
    screen = TextureManager::instance();
    glutInitDisplayMode(GLUT_DOUBLE);
    openWindow(readSettings());
    glClearColor(0, 0, 0, 1);
    glEnable(GL_TEXTURE_2D);
    setPixelProjection(screen->screenWidth, screen->screenHeight);
}

void setPixelProjection(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
