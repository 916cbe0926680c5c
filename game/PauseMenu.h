#pragma once
#include <cstdint>
#include <string>

#include "core/Bounds.h"

// The choices over a paused level, under the "PAUSED" sign: the level's name above it, the time
// in the level and the best time below, then Resume, Restart level and Title menu. Nothing is
// highlighted when the pause begins; Up and Down or the pointer highlight a choice. Drawn with
// plain quads in the view's logical pixels.
class PauseMenu {
public:
    enum class Choice { None, Resume, Restart, Title };

    struct Shown {
        std::string levelName;
        int64_t ticks = 0;
        int64_t bestTicks = -1;  // none yet
    };

    // A fresh pause: nothing highlighted.
    void open() { lit = Choice::None; }
    // Up or Down: the choice above or below, Resume first when nothing was highlighted.
    void step(bool down);
    // The pointer at (x, y): highlights the choice there, if any, and returns it.
    Choice point(Bounds view, int x, int y);
    Choice highlighted() const { return lit; }

    void draw(Bounds view, const Shown& shown) const;

private:
    static Bounds choiceBox(Bounds view, int index);

    Choice lit = Choice::None;
};
