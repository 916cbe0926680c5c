#pragma once
#include <vector>

#include "app/GamepadInput.h"
#include "app/SharedState.h"
#include "app/StateLoopIFC.h"

// Every window-system event goes to the one state that holds the event processing.
extern StateLoopIFC* activeState;
extern SharedState* sharedState;

// The nine callbacks. Positions arrive in logical pixels (see ScreenMode); F11 and Alt+Enter
// toggle full screen and go no further. Keys pass through the key bindings first, so a bound
// key reaches the state as the key it stands for. Each forwards to activeState inside a
// catch-all that logs "CAUGHT AN ERROR IN <label>" with the state's name and goes on.
void reshapeCallback(int width, int height);
void displayCallback();
void keyCallback(unsigned char key, int x, int y);
// A character key let go: it reaches a state only when it is bound to an arrow.
void keyUpCallback(unsigned char key, int x, int y);
void specialDownCallback(int key, int x, int y);
void specialUpCallback(int key, int x, int y);
void mouseButtonCallback(int button, int buttonState, int x, int y);
void clickDragCallback(int x, int y);
void mouseMoveCallback(int x, int y);
void updateCallback(int value);

// The gamepads' events reach the state as the keys they stand for; an arrow held by a pad and a
// key at once is let go when both have let go. A hidden or iconified window tells the state.
void deliverPadEvents(const std::vector<GamepadInput::PadEvent>& events);
void windowStatusCallback(int status);

// Key repeat off, then the callbacks on the current window, then the first tick; then the
// window's visibility and its guard (see WindowGuard).
void registerCallbacks();

// The gamepads, read once a tick from the start to the shutdown; without SDL the game plays on
// without them.
void startGamepads();
void stopGamepads();

// Runs event passes (at least one) until the shared state changes. A window destroyed from
// outside ends them too, with QUIT, so the game shuts down as the quit button does.
void runUntilStateChanges();
