#include "app/StateLoopIFC.h"

#include <GL/freeglut.h>

#include <cstdlib>
#include <iostream>

#include "core/KeyCodes.h"

void StateLoopIFC::display() {
    glClear(GL_COLOR_BUFFER_BIT);
    glutSwapBuffers();
}

void StateLoopIFC::mouseButton(int, int, int, int) {}

void StateLoopIFC::clickDrag(int, int) {}

void StateLoopIFC::mouseMove(int, int) {}

void StateLoopIFC::reshape(int, int) {}

void StateLoopIFC::key(int key, int, int) {
    if ((key & 0xFF) == keys::escape) {
        std::exit(0);
    }
}

void StateLoopIFC::specialUp(int key, int, int) {
    switch (key) {
    case GLUT_KEY_LEFT:
        shared->left = false;
        break;
    case GLUT_KEY_UP:
        shared->up = false;
        break;
    case GLUT_KEY_RIGHT:
        shared->right = false;
        break;
    case GLUT_KEY_DOWN:
        shared->down = false;
        break;
    default:
        break;
    }
}

void StateLoopIFC::specialDown(int key, int, int) {
    switch (key) {
    case GLUT_KEY_LEFT:
        shared->left = true;
        break;
    case GLUT_KEY_UP:
        shared->up = true;
        break;
    case GLUT_KEY_RIGHT:
        shared->right = true;
        break;
    case GLUT_KEY_DOWN:
        shared->down = true;
        break;
    default:
        break;
    }
}

void StateLoopIFC::assumeControl(StateLoopIFC** active) {
    std::cout << "--- UNKOWN ACTOR IS ASSUMING CONRTOL OF GLUT MAIN LOOP ---\n";
    *active = this;
}
