#include "engine/auto_reset_event.h"
#include "engine/clock.h"
#include "engine/light_lock.h"
#include "engine/manual_clock.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace korvex {
namespace {

TEST(AutoResetEventTest, ASetIsKeptForOneWaitOnly) {
    AutoResetEvent event;
    EXPECT_FALSE(event.TryWait());
    event.Set();
    event.Set();
    EXPECT_TRUE(event.TryWait());
    EXPECT_FALSE(event.TryWait());
    event.Set();
    event.Reset();
    EXPECT_FALSE(event.TryWait());
}

TEST(AutoResetEventTest, SetReleasesABlockedWait) {
    AutoResetEvent event;
    std::thread waiter([&] { event.Wait(); });
    while (!event.HasWaiter()) {
        std::this_thread::yield();
    }
    event.Set();
    waiter.join();
    EXPECT_FALSE(event.TryWait());
}

TEST(SystemClockTest, WaitTakesASetEventAndTimesOutOtherwise) {
    Clock& clock = SystemClock();
    AutoResetEvent event;
    event.Set();
    EXPECT_TRUE(clock.WaitFor(event, 60000));
    const std::int64_t before = clock.NowMs();
    EXPECT_FALSE(clock.WaitFor(event, 1));
    EXPECT_GE(clock.NowMs(), before + 1);
}

TEST(ManualClockTest, SteppedWaitEndsWhenTheTimeReachesItsDeadline) {
    ManualClock clock(ManualClock::Mode::kStepped, 1000);
    AutoResetEvent event;
    std::atomic<bool> done = false;
    bool result = true;
    std::thread waiter([&] {
        result = clock.WaitFor(event, 50);
        done = true;
    });
    clock.AwaitWaiters(1);
    clock.Advance(49);
    EXPECT_FALSE(done);
    clock.Advance(1);
    waiter.join();
    EXPECT_FALSE(result);
    EXPECT_EQ(clock.NowMs(), 1050);
}

TEST(ManualClockTest, SteppedWaitEndsAtOnceWhenItsEventIsSet) {
    ManualClock clock;
    AutoResetEvent event;
    bool result = false;
    std::thread waiter([&] { result = clock.WaitFor(event, 50); });
    clock.AwaitWaiters(1);
    event.Set();
    waiter.join();
    EXPECT_TRUE(result);
    EXPECT_EQ(clock.NowMs(), 0);
}

TEST(ManualClockTest, SteppedSleepLastsUntilAdvanced) {
    ManualClock clock;
    std::thread sleeper([&] { clock.SleepFor(10); });
    clock.AwaitWaiters(1);
    clock.Advance(10);
    sleeper.join();
}

TEST(ManualClockTest, AutoAdvanceMovesTheTimeInsteadOfWaiting) {
    ManualClock clock(ManualClock::Mode::kAutoAdvance, 100);
    AutoResetEvent event;
    EXPECT_FALSE(clock.WaitFor(event, 33));
    EXPECT_EQ(clock.NowMs(), 133);
    event.Set();
    EXPECT_TRUE(clock.WaitFor(event, 33));
    EXPECT_EQ(clock.NowMs(), 133);
    clock.SleepFor(10);
    EXPECT_EQ(clock.NowMs(), 143);
    EXPECT_FALSE(clock.WaitFor(event, 0));
    EXPECT_EQ(clock.NowMs(), 143);
}

TEST(ManualClockTest, AutoAdvanceIdleWaitsPollInsteadOfSpinning) {
    ManualClock clock(ManualClock::Mode::kAutoAdvance);
    AutoResetEvent event;
    const auto start = std::chrono::steady_clock::now();
    for (int wait = 0; wait < 20; ++wait) {
        EXPECT_FALSE(clock.WaitIdle(event, 10));
    }
    EXPECT_EQ(clock.NowMs(), 200);
    // Each wait blocked for its millisecond of real time.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
    event.Set();
    EXPECT_TRUE(clock.WaitIdle(event, 10));
    EXPECT_EQ(clock.NowMs(), 200);
}

TEST(LightLockTest, IsRecursiveAndExcludesOtherThreads) {
    light_lock lock;
    lock.Enter();
    EXPECT_TRUE(lock.TryEnter());
    bool other_got_it = true;
    std::thread([&] { other_got_it = lock.TryEnter(); }).join();
    EXPECT_FALSE(other_got_it);
    lock.Leave();
    lock.Leave();
    std::thread([&] {
        other_got_it = lock.TryEnter();
        if (other_got_it) {
            lock.Leave();
        }
    }).join();
    EXPECT_TRUE(other_got_it);
}

} // namespace
} // namespace korvex
