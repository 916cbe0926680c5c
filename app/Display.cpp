#include "app/Display.h"

#include <GL/freeglut.h>

#include <string>

#include "app/Settings.h"
#include "graphics/PixelProjection.h"
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
