#pragma once
#include <vector>

#include "app/KeyEvent.h"

// Turns what one gamepad holds, read by position through the game-controller layer, into the
// key events the states already understand: the d-pad and the left stick (beyond a dead zone)
// are the arrow keys, the south face button is Space, Start is P and Back is Escape. Pure
// bookkeeping: the caller reads the pad and delivers the events.
class GamepadMapper {
public:
    // Stick axes run from -32768 to 32767; y grows downwards.
    static constexpr int kDeadZone = 11500;

    struct Controls {
        bool south = false;
        bool back = false;
        bool start = false;
        bool left = false;
        bool right = false;
        bool up = false;
        bool down = false;
        int stickX = 0;
        int stickY = 0;
    };

    // What the pad holds now: the events since the last report, releases before presses.
    std::vector<KeyEvent> report(const Controls& now);
    // The pad is gone: every arrow it held is released.
    std::vector<KeyEvent> releaseAll();

private:
    struct Arrows {
        bool up = false;
        bool down = false;
        bool left = false;
        bool right = false;
    };

    static Arrows arrowsOf(const Controls& controls);
    void moveArrows(const Arrows& now, std::vector<KeyEvent>& events);

    Arrows held;
    Controls before;
};
