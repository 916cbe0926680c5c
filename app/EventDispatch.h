#pragma once
#include <vector>

#include "app/GamepadMapper.h"
#include "app/SharedState.h"
#include "app/StateLoopIFC.h"

// Every window-system event goes to the one state that holds the event processing.
extern StateLoopIFC* activeState;
extern SharedState* sharedState;

// The nine callbacks. Positions arrive in logical pixels (see ScreenMode); F11 and Alt+Enter
// toggle full screen and go no further. Each forwards to activeState inside a catch-all that logs
// "CAUGHT AN ERROR IN <label>" with the state's name and goes on.
void reshapeCallback(int width, int height);
void displayCallback();
void keyCallback(unsigned char key, int x, int y);
void specialDownCallback(int key, int x, int y);
void specialUpCallback(int key, int x, int y);
void mouseButtonCallback(int button, int buttonState, int x, int y);
void clickDragCallback(int x, int y);
void mouseMoveCallback(int x, int y);
void updateCallback(int value);

// The gamepad's reports and the window's visibility: the pad's events go through the key
// callbacks above; a hidden or iconified window tells the active state.
void deliverPadEvents(const std::vector<GamepadMapper::Event>& events);
void joystickCallback(unsigned int buttons, int x, int y, int z);
void windowStatusCallback(int status);

// Key repeat off, then the callbacks on the current window, then the first tick; then the
// gamepad, polled once a tick, and the window's visibility.
void registerCallbacks();

// Runs event passes (at least one) until the shared state changes.
void runUntilStateChanges();
