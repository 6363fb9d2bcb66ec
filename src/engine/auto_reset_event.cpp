#include "engine/auto_reset_event.h"

namespace korvex {

// Notifying under the lock lets a waiter destroy the event as soon as its wait returns.
void AutoResetEvent::Set() {
    std::lock_guard lock(mutex_);
    set_ = true;
    changed_.notify_one();
}

void AutoResetEvent::Reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool AutoResetEvent::TryWait() {
    std::lock_guard lock(mutex_);
    return std::exchange(set_, false);
}

void AutoResetEvent::Wait() {
    WaitUnless([] { return false; });
}

bool AutoResetEvent::WaitUntil(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    ++waiters_;
    changed_.wait_until(lock, deadline, [this] { return set_; });
    --waiters_;
    return std::exchange(set_, false);
}

void AutoResetEvent::Nudge() {
    std::lock_guard lock(mutex_);
    changed_.notify_all();
}

bool AutoResetEvent::HasWaiter() const {
    std::lock_guard lock(mutex_);
    return waiters_ > 0;
}

} // namespace korvex
