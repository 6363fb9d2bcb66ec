#include "engine/manual_clock.h"

#include "engine/auto_reset_event.h"

#include <algorithm>
#include <thread>

namespace korvex {

ManualClock::ManualClock(Mode mode, std::int64_t start_ms) : mode_(mode), now_ms_(start_ms) {}

std::int64_t ManualClock::NowMs() const {
    return now_ms_.load();
}

bool ManualClock::WaitFor(AutoResetEvent& event, std::int64_t timeout_ms) {
    if (event.TryWait()) {
        return true;
    }
    if (timeout_ms <= 0) {
        return false;
    }
    const std::int64_t deadline = NowMs() + timeout_ms;
    if (mode_ == Mode::kAutoAdvance) {
        std::lock_guard lock(mutex_);
        MoveToLocked(std::max(now_ms_.load(), deadline));
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        waiting_.push_back(&event);
        waiters_changed_.notify_all();
    }
    const bool set = event.WaitUnless([&] { return now_ms_.load() >= deadline; });
    std::lock_guard lock(mutex_);
    waiting_.erase(std::find(waiting_.begin(), waiting_.end(), &event));
    waiters_changed_.notify_all();
    return set;
}

void ManualClock::SleepFor(std::int64_t ms) {
    AutoResetEvent never_set;
    WaitFor(never_set, ms);
    if (mode_ == Mode::kAutoAdvance) {
        std::this_thread::yield(); // an unpaced poll loop still lets the other threads run
    }
}

bool ManualClock::WaitIdle(AutoResetEvent& event, std::int64_t timeout_ms) {
    constexpr std::int64_t kIdleRealMs = 1;
    if (mode_ == Mode::kAutoAdvance && timeout_ms > 0 &&
        SystemClock().WaitFor(event, std::min(timeout_ms, kIdleRealMs))) {
        return true;
    }
    return WaitFor(event, timeout_ms);
}

void ManualClock::Advance(std::int64_t ms) {
    std::lock_guard lock(mutex_);
    MoveToLocked(now_ms_.load() + std::max<std::int64_t>(ms, 0));
}

// Nudging under mutex_ keeps every registered event alive meanwhile: its waiter cannot leave
// WaitFor before it has unregistered under the same mutex.
void ManualClock::MoveToLocked(std::int64_t ms) {
    now_ms_.store(ms);
    for (AutoResetEvent* event : waiting_) {
        event->Nudge();
    }
}

void ManualClock::AwaitWaiters(int count) {
    std::unique_lock lock(mutex_);
    waiters_changed_.wait(lock, [&] { return static_cast<int>(waiting_.size()) >= count; });
}

} // namespace korvex
