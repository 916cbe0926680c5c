#pragma once
#include <cstdint>

// How long the event loop may sleep between passes: until the next tick is due, so an idle
// state wakes about once per tick, yet never longer than a tick, so a loop whose ticks have
// stopped still answers the window. Times are nanoseconds on the monotonic clock.
class TickWait {
public:
    // The tick was just scheduled delayMilliseconds from now, as the window system counts:
    // whole milliseconds of the monotonic clock.
    static void tickScheduled(unsigned int delayMilliseconds);
    // The sleep before the next pass, from the clock now.
    static int64_t nanosecondsLeft();
    // The monotonic clock now.
    static int64_t now();

    // The rule itself: the time left until due; none when the tick is due (the next pass runs
    // it); a whole tick when it is overdue by more than that (the ticks have stopped).
    static int64_t waitFor(int64_t now, int64_t due, int64_t tick);
};
