#include "engine/auto_reset_event.h"
#include "engine/manual_clock.h"
#include "engine/my_thread.h"
#include "engine/reader_thread.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace korvex {
namespace {

// Sleeps in steps until stopped, counting its runs.
class SleepyWorker : public CMyThread {
public:
    explicit SleepyWorker(Clock& clock) : CMyThread(clock) {}
    ~SleepyWorker() override {
        Stop(kStopTimeoutMs);
        AwaitEnd();
    }
    std::atomic<int> runs = 0;

protected:
    int Run() override {
        ++runs;
        while (IsRunning()) {
            SleepWhileRunning(5000);
        }
        return 0;
    }
};

// Ignores the running flag until released, then keeps using its own members for longer than
// its stop time-out.
class StubbornWorker : public CMyThread {
public:
    static constexpr int kStopMs = 20;

    explicit StubbornWorker(Clock& clock) : CMyThread(clock) {}
    ~StubbornWorker() override {
        Stop(kStopMs); // times out too
        AwaitEnd();
    }
    AutoResetEvent release;

protected:
    int Run() override {
        release.Wait();
        const std::int64_t until = SystemClock().NowMs() + 3 * kStopMs;
        while (SystemClock().NowMs() < until) {
            scratch_.assign(64, 1);
        }
        return 0;
    }

private:
    std::vector<int> scratch_;
};

// The stop is not kept for a later run: the body started next sleeps until its own stop.
TEST(CMyThreadTest, StopOnAWorkerNeverStartedLeavesTheNextRunAlone) {
    ManualClock clock; // never advanced: only Stop can end the 5000 ms sleep
    SleepyWorker worker(clock);
    worker.Stop(CMyThread::kStopTimeoutMs);
    EXPECT_EQ(worker.runs, 0);
    ASSERT_TRUE(worker.Start());
    while (worker.runs == 0) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(worker.IsRunning());
    worker.Stop(CMyThread::kStopTimeoutMs);
    EXPECT_FALSE(worker.IsRunning());
}

TEST(CMyThreadTest, StopEndsSleepWhileRunningBeforeItsTimeAndTheWorkerCanStartAgain) {
    ManualClock clock; // never advanced: only Stop can end the 5000 ms sleep
    SleepyWorker worker(clock);
    for (int run = 1; run <= 2; ++run) {
        ASSERT_TRUE(worker.Start());
        EXPECT_TRUE(worker.IsRunning());
        clock.AwaitWaiters(1);
        worker.Stop(CMyThread::kStopTimeoutMs);
        EXPECT_FALSE(worker.IsRunning());
        EXPECT_EQ(worker.runs, run);
    }
    EXPECT_EQ(clock.NowMs(), 0);
}

TEST(CMyThreadTest, AStopThatTimesOutReturnsButDestructionWaitsForTheBody) {
    ManualClock clock;
    auto worker = std::make_unique<StubbornWorker>(clock);
    ASSERT_TRUE(worker->Start());
    worker->Stop(StubbornWorker::kStopMs); // real milliseconds, whatever the worker's clock
    EXPECT_FALSE(worker->IsRunning());
    EXPECT_FALSE(worker->Start()); // the abandoned body still runs
    worker->release.Set();
    worker.reset(); // must not free the members under the body (ASan would see it)
}

TEST(ReaderThreadTest, TheBodysReturnClearsTheRunningFlag) {
    ReaderThread thread;
    std::atomic<bool> ran = false;
    ASSERT_TRUE(thread.Start([&] { ran = true; }));
    EXPECT_NE(thread.ThreadId(), std::this_thread::get_id());
    while (thread.IsRunning()) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(ran);
    thread.Stop();
}

TEST(ReaderThreadTest, StartStopsTheRunningBodyFirst) {
    ManualClock clock; // never advanced
    ReaderThread thread(clock);
    std::mutex mutex;
    std::vector<int> events;
    auto record = [&](int event) {
        std::lock_guard lock(mutex);
        events.push_back(event);
    };
    ASSERT_TRUE(thread.Start([&] {
        while (thread.IsRunning()) {
            thread.SleepWhileRunning(100);
        }
        record(1);
    }));
    clock.AwaitWaiters(1);
    ASSERT_TRUE(thread.Start([&] { record(2); }));
    thread.Stop();
    EXPECT_EQ(events, (std::vector<int>{1, 2}));
    EXPECT_FALSE(thread.IsRunning());
}

} // namespace
} // namespace korvex
