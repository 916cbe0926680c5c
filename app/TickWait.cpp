#include "app/TickWait.h"

#include <time.h>

#include "core/GameUnits.h"

namespace {
constexpr int64_t kNanosecondsPerMillisecond = 1000000;
constexpr int64_t kTickNanoseconds = units::kTickMilliseconds * kNanosecondsPerMillisecond;

// No tick scheduled yet counts as long overdue: wait a tick at most.
int64_t nextTickDue = -2 * kTickNanoseconds;

int64_t monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}
}  // namespace

void TickWait::tickScheduled(unsigned int delayMilliseconds) {
    // The window system fires a timer once its millisecond count reaches the one it noted.
    const int64_t wholeMilliseconds = monotonicNanoseconds() / kNanosecondsPerMillisecond;
    nextTickDue = (wholeMilliseconds + delayMilliseconds) * kNanosecondsPerMillisecond;
}

int64_t TickWait::now() {
    return monotonicNanoseconds();
}

int64_t TickWait::nanosecondsLeft() {
    return waitFor(monotonicNanoseconds(), nextTickDue, kTickNanoseconds);
}

int64_t TickWait::waitFor(int64_t now, int64_t due, int64_t tick) {
    const int64_t left = due - now;
    if (left > tick) {
        return tick;
    }
    if (left > 0) {
        return left;
    }
    return left > -tick ? 0 : tick;
}
