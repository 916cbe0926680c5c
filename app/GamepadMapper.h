#pragma once
#include <vector>

// Turns what a gamepad reports into the key events the states already understand: the d-pad and
// the left stick (beyond a dead zone) are the arrow keys, the south face button is Space, Start
// is P and Back is Escape. Pure bookkeeping, no window system: the caller delivers the events.
class GamepadMapper {
public:
    // Axis values run from -1000 to 1000; y grows downwards.
    static constexpr int kDeadZone = 350;
    // Ticks without a report after which the pad counts as unplugged.
    static constexpr int kSilentTicks = 15;

    enum class Kind { ArrowDown, ArrowUp, Key };
    struct Event {
        Kind kind;
        int code;  // a GLUT special key for arrows, a character for keys
        bool operator==(const Event& other) const { return kind == other.kind && code == other.code; }
    };

    // One report of the pad: the events since the last one, releases before presses.
    std::vector<Event> report(unsigned int buttons, int x, int y);
    // One game tick; once the pad has been silent for kSilentTicks, releases every arrow it held.
    std::vector<Event> tick();

private:
    struct Arrows {
        bool up = false;
        bool down = false;
        bool left = false;
        bool right = false;
    };

    static Arrows arrowsOf(unsigned int buttons, int x, int y);
    void moveArrows(const Arrows& now, std::vector<Event>& events);

    Arrows held;
    unsigned int buttonsHeld = 0;
    int silentTicks = 0;
};
