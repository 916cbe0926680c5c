#include "app/Display.h"

#include <GL/freeglut.h>

#include <string>

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

void openToolWindow(const char* program, const char* title, int width, int height) {
    // freeglut may keep the name it was started with, so it lives as long as the program.
    static std::string name;
    name = program;
    int argc = 1;
    char* argv[] = {name.data(), nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE);
    glutInitWindowSize(width, height);
    glutCreateWindow(title);
    glClearColor(0, 0, 0, 1);
    glEnable(GL_TEXTURE_2D);
}

void setPixelProjection(int width, int height, int scale) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, static_cast<double>(width) / scale, static_cast<double>(height) / scale, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
