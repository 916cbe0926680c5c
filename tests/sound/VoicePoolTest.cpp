#include "sound/VoicePool.h"

#include <gtest/gtest.h>

namespace {
const std::vector<bool> kNoneIdle(3, false);
}

TEST(VoicePool, TakesTheFirstIdleVoice) {
    VoicePool pool(3);
    EXPECT_EQ(pool.choose({true, true, true}), 0);
    pool.started(0, false);
    EXPECT_EQ(pool.choose({false, true, true}), 1);
    // An idle voice is taken even when it last held a loop (stopped since).
    pool.started(1, true);
    pool.started(2, false);
    EXPECT_EQ(pool.choose({false, true, false}), 1);
}

TEST(VoicePool, WhenNoneIsIdleReusesTheOldestNonLoopingVoice) {
    VoicePool pool(3);
    pool.started(0, true);
    pool.started(1, false);
    pool.started(2, false);
    EXPECT_EQ(pool.choose(kNoneIdle), 1);
    pool.started(1, false);  // restarted: now the youngest
    EXPECT_EQ(pool.choose(kNoneIdle), 2);
}

TEST(VoicePool, NeverTakesALoopAwayUntilAllStop) {
    VoicePool pool(3);
    pool.started(2, true);
    pool.started(0, true);
    pool.started(1, true);
    EXPECT_EQ(pool.choose(kNoneIdle), VoicePool::kNoVoice);
    pool.stoppedAll();
    EXPECT_EQ(pool.choose(kNoneIdle), 2);
}

TEST(VoicePool, IgnoresVoicesOutsideThePool) {
    VoicePool pool(2);
    pool.started(5, false);
    pool.started(-1, false);
    EXPECT_EQ(pool.choose({false, false, true}), 0);
    EXPECT_EQ(VoicePool(0).choose({}), VoicePool::kNoVoice);
}
