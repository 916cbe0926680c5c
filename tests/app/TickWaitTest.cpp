#include "app/TickWait.h"

#include <gtest/gtest.h>

namespace {
const int64_t kMs = 1000000;
const int64_t kTick = 16 * kMs;
}  // namespace

TEST(TickWaitTest, SleepsUntilTheTickIsDueAndNoLonger) {
    const int64_t now = 5000 * kMs;
    EXPECT_EQ(TickWait::waitFor(now, now + 16 * kMs, kTick), 16 * kMs);
    EXPECT_EQ(TickWait::waitFor(now, now + 3 * kMs + 250, kTick), 3 * kMs + 250);
    EXPECT_EQ(TickWait::waitFor(now, now + 1, kTick), 1);
    // A due time further off than a tick (a clock step) still wakes within a tick.
    EXPECT_EQ(TickWait::waitFor(now, now + 500 * kMs, kTick), kTick);
}

TEST(TickWaitTest, ADueTickRunsAtOnceAndStoppedTicksWaitATick) {
    const int64_t now = 5000 * kMs;
    EXPECT_EQ(TickWait::waitFor(now, now, kTick), 0);
    EXPECT_EQ(TickWait::waitFor(now, now - 15 * kMs, kTick), 0);
    // An update that threw scheduled no next tick: the loop must not spin waiting for it.
    EXPECT_EQ(TickWait::waitFor(now, now - kTick, kTick), kTick);
    EXPECT_EQ(TickWait::waitFor(now, now - 900 * kMs, kTick), kTick);
}
