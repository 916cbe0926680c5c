#include "app/EventDispatch.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <poll.h>

#include <iostream>

#include "app/Display.h"
#include "app/TickWait.h"
#include "graphics/TextureManager.h"

StateLoopIFC* activeState = nullptr;
SharedState* sharedState = nullptr;

namespace {

const unsigned int tickMilliseconds = 16;
#ifdef VANTOREL_POLL_1MS
// The comparison build polls the display every millisecond instead of sleeping to the tick.
const int idleWaitMilliseconds = 1;
#endif

void reportCaught(const char* label) {
    std::cout << label << (sharedState != nullptr ? stateName(*sharedState) : std::string("UNKNOWN STATE"))
              << "\n";
}

template <typename Work>
void protectedCall(const char* label, Work work) {
    try {
        work();
    } catch (...) {
        reportCaught(label);
    }
}

// Between passes with nothing pending the loop sleeps on the display connection until an event
// arrives or the next tick is due, so an idle menu wakes about once per tick.
void waitForEvents() {
#ifndef VANTOREL_BUSY_LOOP
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr || XPending(display) > 0) {
        return;
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
#ifdef VANTOREL_POLL_1MS
    poll(&connection, 1, idleWaitMilliseconds);
#else
    const int64_t left = TickWait::nanosecondsLeft();
    if (left <= 0) {
        return;
    }
    const timespec timeout{static_cast<time_t>(left / 1000000000), static_cast<long>(left % 1000000000)};
    ppoll(&connection, 1, &timeout, nullptr);
#endif
#endif
}

}  // namespace

void reshapeCallback(int width, int height) {
    if (width <= 0) {
        width = 1;
    }
    if (height <= 0) {
        height = 1;
    }
    TextureManager* screen = TextureManager::instance();
    screen->setScreenWidth(width);
    screen->setScreenHeight(height);
    setPixelProjection(width, height);
    protectedCall("CAUGHT AN ERROR IN RESHAPE : ", [&] { activeState->reshape(width, height); });
}

void displayCallback() {
    glClear(GL_COLOR_BUFFER_BIT);
    protectedCall("CAUGHT AN ERROR IN DISPLAY: ", [] {
        activeState->display();
        glutSwapBuffers();
    });
}

void keyCallback(unsigned char key, int x, int y) {
    protectedCall("CAUGHT AN ERROR IN KEY : ", [&] { activeState->key(key, x, y); });
}

void specialDownCallback(int key, int x, int y) {
    protectedCall("CAUGHT AN ERROR IN SPECIALDOWN : ", [&] { activeState->specialDown(key, x, y); });
}

void specialUpCallback(int key, int x, int y) {
    protectedCall("CAUGHT AN ERROR IN SPECIALUP : ", [&] { activeState->specialUp(key, x, y); });
}

void mouseButtonCallback(int button, int buttonState, int x, int y) {
    protectedCall("CAUGHT AN ERROR IN MOUSEBUTTON : ",
                  [&] { activeState->mouseButton(button, buttonState, x, y); });
}

void clickDragCallback(int x, int y) {
    protectedCall("CAUGHT AN ERROR IN CLICKDRAG : ", [&] { activeState->clickDrag(x, y); });
}

void mouseMoveCallback(int x, int y) {
    protectedCall("CAUGHT AN ERROR IN MOUSEMOVE : ", [&] { activeState->mouseMove(x, y); });
}

void updateCallback(int value) {
    protectedCall("CAUGHT AN ERROR IN UPDATE : ", [&] {
        activeState->update(value);
        glutTimerFunc(tickMilliseconds, updateCallback, 0);
        TickWait::tickScheduled(tickMilliseconds);
    });
}

void registerCallbacks() {
    glutSetKeyRepeat(GLUT_KEY_REPEAT_OFF);
    glutReshapeFunc(reshapeCallback);
    glutDisplayFunc(displayCallback);
    glutKeyboardFunc(keyCallback);
    glutSpecialFunc(specialDownCallback);
    glutSpecialUpFunc(specialUpCallback);
    glutMouseFunc(mouseButtonCallback);
    glutMotionFunc(clickDragCallback);
    glutPassiveMotionFunc(mouseMoveCallback);
    glutTimerFunc(0, updateCallback, 0);
    TickWait::tickScheduled(0);
}

void runUntilStateChanges() {
    const int32_t remembered = sharedState->state;
    for (;;) {
        glutMainLoopEvent();
        if (sharedState->state != remembered) {
            return;
        }
        waitForEvents();
    }
}
