#include "app/EventDispatch.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <poll.h>

#include <iostream>

#include "app/Display.h"
#include "app/GamepadMapper.h"
#include "app/ScreenMode.h"
#include "app/TickWait.h"
#include "core/GameUnits.h"
#include "core/KeyCodes.h"
#include "game/PlayOptions.h"
#include "graphics/TextureManager.h"

StateLoopIFC* activeState = nullptr;
SharedState* sharedState = nullptr;

namespace {

#ifdef VANTOREL_POLL_1MS
// The comparison build polls the display every millisecond instead of sleeping to the tick.
const int idleWaitMilliseconds = 1;
#endif

GamepadMapper gamepad;

void reportCaught(const char* label) {
    std::cout << label << (sharedState != nullptr ? stateName(*sharedState) : std::string("UNKNOWN STATE")) << "\n";
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
    ScreenMode::instance()->applyWindowSize(width, height);
    const TextureManager* logical = TextureManager::instance();
    protectedCall("CAUGHT AN ERROR IN RESHAPE : ",
                  [&] { activeState->reshape(logical->screenWidth, logical->screenHeight); });
}

void displayCallback() {
    ScreenMode::instance()->prepareFrame();
    glClear(GL_COLOR_BUFFER_BIT);
    protectedCall("CAUGHT AN ERROR IN DISPLAY: ", [] {
        activeState->display();
        glutSwapBuffers();
    });
}

void keyCallback(unsigned char key, int x, int y) {
    ScreenMode* mode = ScreenMode::instance();
    if (key == keys::enter && (glutGetModifiers() & GLUT_ACTIVE_ALT) != 0) {
        mode->toggleFullScreen();
        return;
    }
    x = mode->toLogical(x);
    y = mode->toLogical(y);
    protectedCall("CAUGHT AN ERROR IN KEY : ", [&] { activeState->key(key, x, y); });
}

void specialDownCallback(int key, int x, int y) {
    ScreenMode* mode = ScreenMode::instance();
    if (key == GLUT_KEY_F11) {
        mode->toggleFullScreen();
        return;
    }
    x = mode->toLogical(x);
    y = mode->toLogical(y);
    protectedCall("CAUGHT AN ERROR IN SPECIALDOWN : ", [&] { activeState->specialDown(key, x, y); });
}

void specialUpCallback(int key, int x, int y) {
    x = ScreenMode::instance()->toLogical(x);
    y = ScreenMode::instance()->toLogical(y);
    protectedCall("CAUGHT AN ERROR IN SPECIALUP : ", [&] { activeState->specialUp(key, x, y); });
}

void mouseButtonCallback(int button, int buttonState, int x, int y) {
    x = ScreenMode::instance()->toLogical(x);
    y = ScreenMode::instance()->toLogical(y);
    protectedCall("CAUGHT AN ERROR IN MOUSEBUTTON : ", [&] { activeState->mouseButton(button, buttonState, x, y); });
}

void clickDragCallback(int x, int y) {
    x = ScreenMode::instance()->toLogical(x);
    y = ScreenMode::instance()->toLogical(y);
    protectedCall("CAUGHT AN ERROR IN CLICKDRAG : ", [&] { activeState->clickDrag(x, y); });
}

void mouseMoveCallback(int x, int y) {
    x = ScreenMode::instance()->toLogical(x);
    y = ScreenMode::instance()->toLogical(y);
    protectedCall("CAUGHT AN ERROR IN MOUSEMOVE : ", [&] { activeState->mouseMove(x, y); });
}

void updateCallback(int value) {
    deliverPadEvents(gamepad.tick());
    protectedCall("CAUGHT AN ERROR IN UPDATE : ", [&] { activeState->update(value); });
    // The clock keeps going after a failed tick: a game that stops ticking looks alive but
    // never answers again.
    const unsigned int interval = PlayOptions::instance().tickMilliseconds();
    glutTimerFunc(interval, updateCallback, 0);
    TickWait::tickScheduled(interval);
}

void deliverPadEvents(const std::vector<GamepadMapper::Event>& events) {
    for (const GamepadMapper::Event& event : events) {
        switch (event.kind) {
        case GamepadMapper::Kind::ArrowDown:
            specialDownCallback(event.code, 0, 0);
            break;
        case GamepadMapper::Kind::ArrowUp:
            specialUpCallback(event.code, 0, 0);
            break;
        case GamepadMapper::Kind::Key:
            keyCallback(static_cast<unsigned char>(event.code), 0, 0);
            break;
        }
    }
}

void joystickCallback(unsigned int buttons, int x, int y, int) {
    deliverPadEvents(gamepad.report(buttons, x, y));
}

void windowStatusCallback(int status) {
    if (status == GLUT_HIDDEN || status == GLUT_FULLY_COVERED) {
        protectedCall("CAUGHT AN ERROR IN WINDOWSTATUS : ", [] { activeState->windowHidden(); });
    }
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
    glutJoystickFunc(joystickCallback, units::kTickMilliseconds);
    glutWindowStatusFunc(windowStatusCallback);
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
