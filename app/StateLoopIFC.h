#pragma once
#include <optional>

#include "app/SharedState.h"
#include "core/Bounds.h"

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
    // The size of the picture the state frames, in logical pixels, which the full-screen scale
    // fits to the window; 0 x 0 (the default) keeps the scale at 1.
    virtual int viewWidth() const { return 0; }
    virtual int viewHeight() const { return 0; }
    // The part of the logical window the state draws in, when it keeps to one; none (the
    // default) when it may draw anywhere. Only that part is enlarged onto the window.
    virtual std::optional<Bounds> pictureBox() const { return std::nullopt; }
    // The window was hidden or iconified; by default nothing happens.
    virtual void windowHidden() {}
    // True for a state that reads every key as pressed (the editor), past the key bindings.
    virtual bool takesPlainKeys() const { return false; }
    // True while closing the window would lose something: the close is then held back and
    // closeRequested called instead. By default the window closes and the program ends.
    virtual bool asksBeforeClosing() const { return false; }
    virtual void closeRequested() {}

    SharedState* shared = nullptr;
};
