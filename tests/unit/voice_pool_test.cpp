#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "vela/audio/voice_pool.h"

namespace {

bool AllBusy(int32_t) {
    return true;
}

}  // namespace

TEST(VoicePoolTest, TakesTheLowestFreeSlotFirst) {
    vela::VoicePool pool(3);
    vela::Voice voice;
    EXPECT_EQ(pool.Acquire(false, AllBusy, voice), 0);
    EXPECT_EQ(pool.Acquire(true, AllBusy, voice), 1);
    EXPECT_EQ(pool.Acquire(false, AllBusy, voice), 2);
    pool.Release(1);
    EXPECT_EQ(pool.Acquire(false, AllBusy, voice), 1);
    // A slot whose play has ended is free again, looping or not.
    EXPECT_EQ(pool.Acquire(
                  false, [](int32_t slot) { return slot != 2; }, voice),
              2);
}

TEST(VoicePoolTest, WhenFullStealsTheOldestNotLoopingAndRefusesWhenAllLoop) {
    vela::VoicePool pool(3);
    vela::Voice voice;
    pool.Acquire(true, AllBusy, voice);   // slot 0 loops
    pool.Acquire(false, AllBusy, voice);  // slot 1, oldest one-shot
    pool.Acquire(false, AllBusy, voice);  // slot 2
    EXPECT_EQ(pool.Acquire(false, AllBusy, voice), 1);
    EXPECT_EQ(pool.Acquire(true, AllBusy, voice), 2);  // now slot 2 is the oldest
    ASSERT_EQ(pool.Acquire(false, AllBusy, voice), 1);

    pool.SetLooping(1, true);
    EXPECT_EQ(pool.Acquire(false, AllBusy, voice), -1);
    EXPECT_FALSE(voice.Valid());
    pool.SetLooping(0, false);  // the oldest play, stealable once it stops looping
    EXPECT_EQ(pool.Acquire(false, AllBusy, voice), 0);
    EXPECT_TRUE(voice.Valid());

    vela::VoicePool none(0);
    EXPECT_EQ(none.Acquire(false, AllBusy, voice), -1);
    EXPECT_EQ(vela::VoicePool(300).Count(), 255);
}

TEST(VoicePoolTest, HandlesGoStaleWhenTheirSlotIsReleasedOrTakenAgain) {
    vela::VoicePool pool(2);
    vela::Voice first;
    vela::Voice second;
    pool.Acquire(false, AllBusy, first);
    pool.Acquire(false, AllBusy, second);
    EXPECT_EQ(pool.Slot(first), 0);
    EXPECT_EQ(pool.Slot(second), 1);

    vela::Voice stealer;
    ASSERT_EQ(pool.Acquire(false, AllBusy, stealer), 0);
    EXPECT_EQ(pool.Slot(first), -1);
    EXPECT_EQ(pool.Slot(stealer), 0);
    EXPECT_NE(stealer.id, first.id);

    pool.Release(1);
    EXPECT_EQ(pool.Slot(second), -1);
    EXPECT_EQ(pool.Slot(vela::Voice()), -1);
    EXPECT_EQ(pool.Slot(vela::Voice{200}), -1);  // a slot the pool doesn't have

    // Many plays of one slot never give a handle that was given before.
    std::set<uint32_t> seen;
    vela::VoicePool one(1);
    for (int i = 0; i < 1000; ++i) {
        vela::Voice voice;
        one.Acquire(false, AllBusy, voice);
        EXPECT_TRUE(seen.insert(voice.id).second);
    }
}
