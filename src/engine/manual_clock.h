#pragma once

#include "engine/clock.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace korvex {

// A clock whose time moves only when told to, for tests and for unpaced runs.
//
// kStepped: time moves by Advance alone. A wait blocks (really) until its event is set or
// Advance carries the time to its deadline; a test drives a worker by advancing the clock and
// can first make sure the worker is waiting with AwaitWaiters.
// kAutoAdvance: a wait whose event is not set does not block; it moves the time to its deadline
// at once and times out. A run then goes as fast as the work allows while every component still
// sees a consistent, growing time (korvex-cli's unpaced runs, single-threaded pacing tests).
// Its idle waits (WaitIdle) also block for up to a millisecond of real time, so an idle worker
// polls instead of spinning and taking a core from the busy ones.
class ManualClock final : public Clock {
public:
    enum class Mode { kStepped, kAutoAdvance };

    explicit ManualClock(Mode mode = Mode::kStepped, std::int64_t start_ms = 0);

    std::int64_t NowMs() const override;
    bool WaitFor(AutoResetEvent& event, std::int64_t timeout_ms) override;
    void SleepFor(std::int64_t ms) override;
    bool WaitIdle(AutoResetEvent& event, std::int64_t timeout_ms) override;

    // Moves the time forward by `ms` (0 or more) and releases the waits whose deadline it
    // reaches. Any thread.
    void Advance(std::int64_t ms);

    // Blocks until at least `count` threads are blocked in WaitFor or SleepFor of this clock.
    // Any thread other than the waiters; kStepped only (auto-advance waits never block).
    void AwaitWaiters(int count);

private:
    void MoveToLocked(std::int64_t ms); // with mutex_ held

    const Mode mode_;
    std::atomic<std::int64_t> now_ms_;
    std::mutex mutex_; // guards waiting_; taken before an event's own lock, never after
    std::condition_variable waiters_changed_;
    std::vector<AutoResetEvent*> waiting_;
};

} // namespace korvex
