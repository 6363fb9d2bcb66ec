#pragma once

#include "app/message_sink.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

namespace korvex::test {

// A message sink that keeps every message it is given, in order, with its target and whether it
// was sent or posted. Sends can be held, to see what a worker does while it waits in one.
// Every function may be called from any thread.
class RecordingMessageSink final : public MessageSink {
public:
    struct Record {
        MessageTarget target = MessageTarget::kPanel;
        Message message;
        bool sent = false;
    };

    void Post(MessageTarget target, const Message& message) override;
    // Records the message; while sends are held, waits for ReleaseSends (true) or the stop
    // (false).
    bool Send(MessageTarget target, const Message& message, std::stop_token stop) override;

    // Called with every record, on the worker's thread, before Post or Send returns (and before a
    // held send waits): the place to look at shared state the message announces.
    void SetObserver(std::function<void(const Record&)> observer);

    void HoldSends();
    void ReleaseSends();
    // True while a Send is waiting because sends are held.
    bool SendIsWaiting() const;

    std::vector<Record> Records() const;
    int Count(MessageTarget target, int id) const;
    // Blocks until `done` holds for the records (true) or `timeout` has passed (false).
    bool WaitUntil(const std::function<bool(const std::vector<Record>&)>& done,
                   std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;

private:
    void Add(const Record& record);

    mutable std::mutex mutex_;
    mutable std::condition_variable_any changed_;
    std::vector<Record> records_;
    std::function<void(const Record&)> observer_;
    bool hold_sends_ = false;
    int waiting_sends_ = 0;
};

} // namespace korvex::test
