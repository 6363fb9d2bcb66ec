#include "recording_message_sink.h"

#include <algorithm>

namespace korvex::test {

void RecordingMessageSink::Add(const Record& record) {
    std::function<void(const Record&)> observer;
    {
        std::lock_guard lock(mutex_);
        observer = observer_;
    }
    if (observer) {
        observer(record);
    }
    {
        std::lock_guard lock(mutex_);
        records_.push_back(record);
    }
    changed_.notify_all();
}

void RecordingMessageSink::Post(MessageTarget target, const Message& message) {
    Add({target, message, false});
}

bool RecordingMessageSink::Send(MessageTarget target, const Message& message,
                                std::stop_token stop) {
    if (stop.stop_requested()) {
        return false;
    }
    Add({target, message, true});
    std::unique_lock lock(mutex_);
    ++waiting_sends_;
    changed_.notify_all();
    const bool released = changed_.wait(lock, stop, [this] { return !hold_sends_; });
    --waiting_sends_;
    changed_.notify_all();
    return released;
}

void RecordingMessageSink::SetObserver(std::function<void(const Record&)> observer) {
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

void RecordingMessageSink::HoldSends() {
    std::lock_guard lock(mutex_);
    hold_sends_ = true;
}

void RecordingMessageSink::ReleaseSends() {
    {
        std::lock_guard lock(mutex_);
        hold_sends_ = false;
    }
    changed_.notify_all();
}

bool RecordingMessageSink::SendIsWaiting() const {
    std::lock_guard lock(mutex_);
    return hold_sends_ && waiting_sends_ > 0;
}

std::vector<RecordingMessageSink::Record> RecordingMessageSink::Records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

int RecordingMessageSink::Count(MessageTarget target, int id) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(records_.begin(), records_.end(), [&](const Record& r) {
        return r.target == target && r.message.id == id;
    }));
}

bool RecordingMessageSink::WaitUntil(const std::function<bool(const std::vector<Record>&)>& done,
                                     std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return done(records_); });
}

} // namespace korvex::test
