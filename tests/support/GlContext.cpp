#include "support/GlContext.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "graphics/PixelProjection.h"

namespace testsupport {

namespace {

class FinishDrawing : public ::testing::Environment {
public:
    void TearDown() override { glFinish(); }
};

int window = 0;
int windowWidth = 0;
int windowHeight = 0;
}  // namespace

void ensureGlContext(int width, int height) {
    if (window == 0) {
        int argc = 1;
        char name[] = "vantorel-test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA);
        glutInitWindowSize(1280, 1024);
        glutInitWindowPosition(0, 0);
        window = glutCreateWindow("vantorel-test");
        glutDisplayFunc([] {});
        glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
        // Drawing still queued when the process exits sometimes sends llvmpipe into a
        // compile that never ends while freeglut closes the display; a test that draws
        // without reading back finishes its drawing before it ends.
        ::testing::AddGlobalTestEnvironment(new FinishDrawing);
    }
    glutSetWindow(window);
    windowWidth = width;
    windowHeight = height;
    setPixelProjection(width, height);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0, 0, 0, 1);
    clearScreen();
}

void clearScreen() {
    glClear(GL_COLOR_BUFFER_BIT);
}

Rgba readPixel(int x, int y) {
    glFinish();
    Rgba out{0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // GL counts rows from the bottom of the viewport.
    glReadPixels(x, windowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &out);
    return out;
}

}  // namespace testsupport
