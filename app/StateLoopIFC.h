#pragma once
#include "app/SharedState.h"

// A top-level state that can hold the window system's event processing (the menu, the game).
// The defaults: clear and swap on display, ignore the mouse, Escape ends the process, the
// arrow keys set and clear the shared arrow flags.
class StateLoopIFC {
public:
    virtual void display();
    virtual void update(int value) = 0;
    virtual void mouseButton(int button, int buttonState, int x, int y);
    virtual void clickDrag(int x, int y);
    virtual void mouseMove(int x, int y);
    virtual void reshape(int width, int height);
    virtual void key(int key, int x, int y);
    virtual void specialUp(int key, int x, int y);
    virtual void specialDown(int key, int x, int y);
    // Writes the state's hand-over line and stores itself through active.
    virtual void assumeControl(StateLoopIFC** active);

    SharedState* shared = nullptr;
};
