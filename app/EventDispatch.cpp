#include "app/EventDispatch.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <poll.h>

#include <iostream>
#include <memory>
#include <optional>

#include "app/ArrowHolds.h"
#include "app/Display.h"
#include "app/KeyBindings.h"
#include "app/ScreenMode.h"
#include "app/TestPad.h"
#include "app/TickClock.h"
#include "app/TickWait.h"
#include "app/WindowGuard.h"
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

// Pads count as sources of arrows apart from every key.
const int padSourceBase = 1 << 16;

GamepadInput gamepads;
std::unique_ptr<TestPad> testPad;
ArrowHolds arrowHolds;
constexpr int64_t kNanosecondsPerMillisecond = 1000000;
// When the next tick is due on the game's clock; 0 until the first tick starts it.
int64_t nextTickDue = 0;

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

void deliver(const KeyEvent& event, int x, int y) {
    switch (event.kind) {
    case KeyEvent::Kind::SpecialDown:
        protectedCall("CAUGHT AN ERROR IN SPECIALDOWN : ", [&] { activeState->specialDown(event.code, x, y); });
        break;
    case KeyEvent::Kind::SpecialUp:
        protectedCall("CAUGHT AN ERROR IN SPECIALUP : ", [&] { activeState->specialUp(event.code, x, y); });
        break;
    case KeyEvent::Kind::Key:
        protectedCall("CAUGHT AN ERROR IN KEY : ", [&] { activeState->key(event.code, x, y); });
        break;
    }
}

void routeKey(KeyBindings::Key key, bool pressed, int x, int y) {
    ScreenMode* mode = ScreenMode::instance();
    if (activeState != nullptr && activeState->takesPlainKeys()) {
        // Bound letters are the editor's own commands; character releases mean nothing there.
        if (key.special || pressed) {
            const KeyEvent::Kind kind = !key.special ? KeyEvent::Kind::Key
                                        : pressed    ? KeyEvent::Kind::SpecialDown
                                                     : KeyEvent::Kind::SpecialUp;
            deliver(KeyEvent{kind, key.code}, mode->toLogicalX(x), mode->toLogicalY(y));
        }
        return;
    }
    const std::optional<KeyEvent> event = KeyBindings::instance()->translate(key, pressed);
    if (event && arrowHolds.pass(*event, KeyBindings::source(key))) {
        deliver(*event, mode->toLogicalX(x), mode->toLogicalY(y));
    }
}

void shutDownWithoutWindow() {
    std::cout << "[MAIN] The window was destroyed: the game ends.\n";
    sharedState->state = QUIT;
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
    ScreenMode* mode = ScreenMode::instance();
    mode->beginFrame();
    protectedCall("CAUGHT AN ERROR IN DISPLAY: ", [mode] {
        activeState->display();
        if (!mode->finishFrame()) {
            glutSwapBuffers();
        }
    });
}

void keyCallback(unsigned char key, int x, int y) {
    if (key == keys::enter && (glutGetModifiers() & GLUT_ACTIVE_ALT) != 0) {
        ScreenMode::instance()->toggleFullScreen();
        return;
    }
    routeKey({false, key}, true, x, y);
}

void keyUpCallback(unsigned char key, int x, int y) {
    routeKey({false, key}, false, x, y);
}

void specialDownCallback(int key, int x, int y) {
    if (key == GLUT_KEY_F11) {
        ScreenMode::instance()->toggleFullScreen();
        return;
    }
    routeKey({true, key}, true, x, y);
}

void specialUpCallback(int key, int x, int y) {
    routeKey({true, key}, false, x, y);
}

void mouseButtonCallback(int button, int buttonState, int x, int y) {
    x = ScreenMode::instance()->toLogicalX(x);
    y = ScreenMode::instance()->toLogicalY(y);
    protectedCall("CAUGHT AN ERROR IN MOUSEBUTTON : ", [&] { activeState->mouseButton(button, buttonState, x, y); });
}

void clickDragCallback(int x, int y) {
    x = ScreenMode::instance()->toLogicalX(x);
    y = ScreenMode::instance()->toLogicalY(y);
    protectedCall("CAUGHT AN ERROR IN CLICKDRAG : ", [&] { activeState->clickDrag(x, y); });
}

void mouseMoveCallback(int x, int y) {
    x = ScreenMode::instance()->toLogicalX(x);
    y = ScreenMode::instance()->toLogicalY(y);
    protectedCall("CAUGHT AN ERROR IN MOUSEMOVE : ", [&] { activeState->mouseMove(x, y); });
}

void updateCallback(int value) {
    if (testPad) {
        testPad->apply();
    }
    deliverPadEvents(gamepads.poll());
    // Ticks missed while a frame took too long run now, before the next draw; a tick that
    // changes the top-level state ends the run, so nothing plays on in a state that has ended.
    // The speed assist lengthens the tick; without it a tick is the designed 16 ms.
    const int64_t tick = int64_t{PlayOptions::instance().tickMilliseconds()} * kNanosecondsPerMillisecond;
    const int ticks = TickClock::ticksDue(TickWait::now(), nextTickDue, tick);
    const int32_t stateBefore = sharedState != nullptr ? sharedState->state : 0;
    for (int i = 0; i < ticks; ++i) {
        protectedCall("CAUGHT AN ERROR IN UPDATE : ", [&] { activeState->update(value); });
        if (sharedState != nullptr && sharedState->state != stateBefore) {
            break;
        }
    }
    // The clock keeps going after a failed tick: a game that stops ticking looks alive but
    // never answers again.
    TickClock::ticksRan(TickWait::now(), nextTickDue);
    const unsigned int delay = TickClock::millisecondsUntil(TickWait::now(), nextTickDue);
    glutTimerFunc(delay, updateCallback, 0);
    TickWait::tickScheduled(delay);
}

void deliverPadEvents(const std::vector<GamepadInput::PadEvent>& events) {
    for (const GamepadInput::PadEvent& padEvent : events) {
        if (arrowHolds.pass(padEvent.event, padSourceBase + padEvent.pad)) {
            deliver(padEvent.event, 0, 0);
        }
    }
}

void windowStatusCallback(int status) {
    ScreenMode::instance()->windowExposed();
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
    glutKeyboardUpFunc(keyUpCallback);
    glutWindowStatusFunc(windowStatusCallback);
    TickWait::tickScheduled(0);
    guardWindow();
    holdCloseRequestsWhile([] { return activeState != nullptr && activeState->asksBeforeClosing(); });
}

void startGamepads() {
    if (gamepads.start()) {
        testPad = TestPad::fromEnvironment();
    }
}

void stopGamepads() {
    testPad.reset();
    gamepads.stop();
}

void runUntilStateChanges() {
    const int32_t remembered = sharedState->state;
    for (;;) {
        if (!windowDestroyed()) {
            glutMainLoopEvent();
        }
        if (windowDestroyed()) {
            shutDownWithoutWindow();
            return;
        }
        if (takeHeldCloseRequest()) {
            protectedCall("CAUGHT AN ERROR IN CLOSE : ", [] { activeState->closeRequested(); });
        }
        if (sharedState->state != remembered) {
            return;
        }
        waitForEvents();
    }
}
