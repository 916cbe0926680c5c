#include "app/TickClock.h"

namespace {
constexpr int64_t kNanosecondsPerMillisecond = 1000000;
}  // namespace

int TickClock::ticksDue(int64_t now, int64_t& due, int64_t tick) {
    if (due == 0) {
        due = now;
    }
    // The timer counts whole milliseconds, so a call may come a little before its tick.
    const int64_t late = now > due ? now - due : 0;
    const int64_t missed = late / tick;
    if (missed >= kMostCaughtUp) {
        due = now + tick;
        return kMostCaughtUp;
    }
    due += (missed + 1) * tick;
    return static_cast<int>(missed + 1);
}

void TickClock::ticksRan(int64_t now, int64_t& due) {
    if (due < now) {
        due = now;
    }
}

unsigned int TickClock::millisecondsUntil(int64_t now, int64_t due) {
    return due > now ? static_cast<unsigned int>((due - now) / kNanosecondsPerMillisecond) : 0;
}
