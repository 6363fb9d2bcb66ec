#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>

namespace korvex {

// An event that, once set, releases exactly one wait and then is clear again. A Set with nobody
// waiting is kept until the next wait takes it, so a wake-up given before the wait begins is not
// lost. Every operation may be called from any thread.
class AutoResetEvent {
public:
    AutoResetEvent() = default;
    AutoResetEvent(const AutoResetEvent&) = delete;
    AutoResetEvent& operator=(const AutoResetEvent&) = delete;

    void Set();
    void Reset();

    // Takes the event if it is set; never blocks.
    bool TryWait();

    // Blocks until the event is set, then takes it.
    void Wait();

    // Blocks until the event is set (takes it, true) or the deadline passes (false).
    bool WaitUntil(std::chrono::steady_clock::time_point deadline);

    // For clock implementations with a time of their own: blocks until the event is set (takes
    // it, true) or `give_up()` returns true (false). `give_up` runs under the event's lock when
    // the wait begins and after every Nudge, so a Nudge that follows a change it looks at is
    // never missed.
    template <typename GiveUp> bool WaitUnless(GiveUp give_up) {
        std::unique_lock lock(mutex_);
        ++waiters_;
        while (!set_ && !give_up()) {
            changed_.wait(lock);
        }
        --waiters_;
        return std::exchange(set_, false);
    }

    // Makes the waits re-evaluate their give-up condition; does not set the event.
    void Nudge();

    // True while a thread is blocked in one of the waits (for tests that must know a thread has
    // really started waiting).
    bool HasWaiter() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
    int waiters_ = 0;
};

} // namespace korvex
