#include "app/TickClock.h"

#include <gtest/gtest.h>

namespace {
constexpr int64_t kMs = 1000000;
constexpr int64_t kTick = 16 * kMs;
}  // namespace

// On time, or a little early or late as the timer's whole milliseconds make it: one tick, and
// the next is due on the 16 ms grid, so ticks do not drift later call by call.
TEST(TickClockTest, AMachineThatKeepsUpRunsOneTickACallOnTheGrid) {
    int64_t due = 0;
    EXPECT_EQ(TickClock::ticksDue(1000 * kMs, due, kTick), 1);
    EXPECT_EQ(due, 1016 * kMs);
    for (int call = 0; call < 100; ++call) {
        const int64_t now = due + (call % 3 == 0 ? -kMs / 2 : kMs + kMs / 3);
        ASSERT_EQ(TickClock::ticksDue(now, due, kTick), 1) << call;
    }
    EXPECT_EQ(due, (1016 + 100 * 16) * kMs);
    EXPECT_EQ(TickClock::millisecondsUntil(due - 15 * kMs - kMs / 2, due), 15u);
    EXPECT_EQ(TickClock::millisecondsUntil(due + kMs, due), 0u);
}

TEST(TickClockTest, ALateCallRunsTheTicksItMissedAndTooLateOnesAreLetGo) {
    int64_t due = 1000 * kMs;
    // A 40 ms frame: the tick due, and two more that fell due meanwhile.
    EXPECT_EQ(TickClock::ticksDue(due + 40 * kMs, due, kTick), 3);
    EXPECT_EQ(due, 1048 * kMs);
    // Just under five ticks late: five, still on the grid.
    EXPECT_EQ(TickClock::ticksDue(due + 4 * kTick + kTick - 1, due, kTick), 5);
    EXPECT_EQ(due, 1048 * kMs + 5 * kTick);
    // A stall of a second runs five and starts the grid again from now.
    const int64_t now = due + 1000 * kMs;
    EXPECT_EQ(TickClock::ticksDue(now, due, kTick), TickClock::kMostCaughtUp);
    EXPECT_EQ(due, now + kTick);
}

// A tick that itself outlasts its time (a level loading) is not made up for with a burst: the
// next tick comes at once and the grid starts again from there.
TEST(TickClockTest, TimeTheTicksTookThemselvesIsNotCaughtUp) {
    int64_t due = 1000 * kMs;
    ASSERT_EQ(TickClock::ticksDue(due, due, kTick), 1);
    TickClock::ticksRan(due - kMs, due);
    EXPECT_EQ(due, 1016 * kMs) << "a quick tick leaves the grid alone";
    TickClock::ticksRan(1200 * kMs, due);
    EXPECT_EQ(due, 1200 * kMs);
    EXPECT_EQ(TickClock::ticksDue(1200 * kMs + kMs / 2, due, kTick), 1);
}
