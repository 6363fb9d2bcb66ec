#pragma once

#include "app/message_sink.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace korvex {

// The program's message sink: every message becomes a call queued into the receiver's event
// loop, so workers reach the windows only through the user-interface thread's queue. Qt keeps
// queued calls to one receiver in the order they were queued, which gives the order the
// interface promises. A receiver that is destroyed takes its queued calls with it.
//
// Connect and the receivers' destruction run on the user-interface thread; Post and Send on any
// thread (Send on workers only, as the interface says).
class QtMessageSink final : public MessageSink {
public:
    using Handler = std::function<void(const Message&)>;

    QtMessageSink() = default;
    ~QtMessageSink() override;
    QtMessageSink(const QtMessageSink&) = delete;
    QtMessageSink& operator=(const QtMessageSink&) = delete;

    // From now on, messages for `target` go to `handler`, called on `receiver`'s thread for as
    // long as `receiver` exists; afterwards they are dropped.
    void Connect(MessageTarget target, QObject* receiver, Handler handler);

    void Post(MessageTarget target, const Message& message) override;
    bool Send(MessageTarget target, const Message& message, std::stop_token stop) override;

private:
    struct Route {
        QPointer<QObject> receiver;
        std::shared_ptr<const Handler> handler;
    };

    // Queues `call` for the receiver of `target`, with mutex_ held so that the receiver cannot
    // be destroyed half way; false when there is none.
    bool Queue(MessageTarget target, std::function<void(const Handler&)> call);

    std::mutex mutex_; // guards routes_
    std::map<MessageTarget, Route> routes_;
    std::vector<QMetaObject::Connection> watches_; // of the receivers' destruction
};

} // namespace korvex
