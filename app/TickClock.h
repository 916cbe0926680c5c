#pragma once
#include <cstdint>

// The game's clock: a tick is due every 16 ms of the monotonic clock, whatever a pass costs.
// A tick callback that comes late runs the ticks it missed before the next draw, so a slow
// frame does not slow the game; when more are missed than kMostCaughtUp, the rest are let go,
// so the game never races to catch up. A machine that keeps up gets exactly one tick a call.
class TickClock {
public:
    static constexpr int kMostCaughtUp = 5;

    // The ticks to run now, and due moved on past them (a due of 0 starts the clock now).
    // Times are nanoseconds.
    static int ticksDue(int64_t now, int64_t& due, int64_t tick);
    // After the ticks have run: the time they took themselves is not caught up, so a slow tick
    // (a level loading) holds the game back instead of making it burst ahead afterwards.
    static void ticksRan(int64_t now, int64_t& due);
    // Whole milliseconds until due, as the window system's timer takes them; 0 when it is due.
    static unsigned int millisecondsUntil(int64_t now, int64_t due);
};
