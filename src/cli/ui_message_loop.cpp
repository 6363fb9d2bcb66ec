#include "ui_message_loop.h"

namespace korvex::cli {

std::uint64_t UiMessageLoop::Queue(MessageTarget target, const Message& message) {
    queue_.push_back({target, message});
    changed_.notify_all();
    return ++queued_;
}

void UiMessageLoop::Post(MessageTarget target, const Message& message) {
    std::lock_guard lock(mutex_);
    Queue(target, message);
}

bool UiMessageLoop::Send(MessageTarget target, const Message& message, std::stop_token stop) {
    std::unique_lock lock(mutex_);
    if (stop.stop_requested()) {
        return false;
    }
    const std::uint64_t number = Queue(target, message);
    return changed_.wait(lock, stop, [&] { return handled_ >= number; });
}

void UiMessageLoop::RunFor(std::chrono::milliseconds timeout, const Handler& handler) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return woken_ || !queue_.empty(); });
    woken_ = false;
    while (!queue_.empty()) {
        const Queued next = queue_.front();
        queue_.pop_front();
        lock.unlock();
        handler(next.target, next.message);
        lock.lock();
        ++handled_;
        changed_.notify_all();
    }
}

void UiMessageLoop::Wake() {
    std::lock_guard lock(mutex_);
    woken_ = true;
    changed_.notify_all();
}

} // namespace korvex::cli
