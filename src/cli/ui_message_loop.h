#pragma once

#include "app/message_sink.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

namespace korvex::cli {

// The user-interface thread of a command without a window: the thread that calls RunFor handles
// what the channel's threads post and send, one message at a time, in the order queued. A send
// waits until RunFor has handled it, as a window's would, and gives up on its stop.
class UiMessageLoop final : public MessageSink {
public:
    using Handler = std::function<void(MessageTarget target, const Message& message)>;

    void Post(MessageTarget target, const Message& message) override;
    bool Send(MessageTarget target, const Message& message, std::stop_token stop) override;

    // Waits at most `timeout` for a message or a Wake, then handles every message queued. The
    // user-interface thread only.
    void RunFor(std::chrono::milliseconds timeout, const Handler& handler);

    // Ends the wait of RunFor early. Any thread.
    void Wake();

private:
    struct Queued {
        MessageTarget target;
        Message message;
    };

    // With mutex_ held; the number of the message queued.
    std::uint64_t Queue(MessageTarget target, const Message& message);

    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<Queued> queue_;
    std::uint64_t queued_ = 0;  // messages ever queued; the last one's number
    std::uint64_t handled_ = 0; // of them, handled (in order)
    bool woken_ = false;
};

} // namespace korvex::cli
