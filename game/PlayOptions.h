#pragma once
#include "core/GameUnits.h"

// The optional play settings ("timer=on", "speed=", "jump grace=on" in settings.ini), read at
// start-up; their defaults, when the lines are missing, are the designed game. One process-wide
// record, like the window size.
struct PlayOptions {
    static constexpr int kSlowestSpeed = 50;  // percent
    static constexpr int kFullSpeed = 100;

    // The running time of the level in the view's corner.
    bool showTimer = false;
    // The game's pace in percent: the tick interval grows as it falls, so everything slows alike.
    int speedPercent = kFullSpeed;
    // A jump pressed shortly before landing, or taken shortly after walking off a ledge, counts.
    bool jumpGrace = false;

    // The interval between ticks: 16 ms at full speed, 32 ms at half.
    unsigned int tickMilliseconds() const {
        return units::kTickMilliseconds * static_cast<unsigned int>(kFullSpeed) /
               static_cast<unsigned int>(speedPercent);
    }

    static PlayOptions& instance() {
        static PlayOptions options;
        return options;
    }
};
