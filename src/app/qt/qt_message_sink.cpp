#include "app/qt/qt_message_sink.h"

#include <QMetaObject>
#include <condition_variable>
#include <memory>

namespace korvex {

namespace {

// What a sender waits on. The queued call holds the only Completion; whether the call runs or
// is thrown away with its receiver, the Completion goes with it and ends the wait.
struct SendState {
    std::mutex mutex;
    std::condition_variable_any changed;
    bool handled = false;
    bool over = false;
};

class Completion {
public:
    explicit Completion(std::shared_ptr<SendState> state) : state_(std::move(state)) {}
    Completion(const Completion&) = delete;
    Completion& operator=(const Completion&) = delete;
    ~Completion() {
        std::lock_guard lock(state_->mutex);
        state_->over = true;
        state_->changed.notify_all();
    }
    void Handled() {
        std::lock_guard lock(state_->mutex);
        state_->handled = true;
    }

private:
    std::shared_ptr<SendState> state_;
};

} // namespace

QtMessageSink::~QtMessageSink() {
    for (const QMetaObject::Connection& watch : watches_) {
        QObject::disconnect(watch);
    }
}

void QtMessageSink::Connect(MessageTarget target, QObject* receiver, Handler handler) {
    {
        std::lock_guard lock(mutex_);
        routes_[target] = {receiver, std::make_shared<const Handler>(std::move(handler))};
    }
    // Taking the lock here makes a worker that is queueing a call finish before the receiver's
    // destruction goes on to discard the calls queued for it.
    watches_.push_back(
        QObject::connect(receiver, &QObject::destroyed, [this, target](QObject* gone) {
            std::lock_guard lock(mutex_);
            const auto route = routes_.find(target);
            if (route != routes_.end() &&
                (route->second.receiver == nullptr || route->second.receiver.data() == gone)) {
                routes_.erase(route);
            }
        }));
}

bool QtMessageSink::Queue(MessageTarget target, std::function<void(const Handler&)> call) {
    std::lock_guard lock(mutex_);
    const auto route = routes_.find(target);
    if (route == routes_.end() || route->second.receiver == nullptr) {
        return false;
    }
    QMetaObject::invokeMethod(
        route->second.receiver.data(),
        [handler = route->second.handler, call = std::move(call)] { call(*handler); },
        Qt::QueuedConnection);
    return true;
}

void QtMessageSink::Post(MessageTarget target, const Message& message) {
    Queue(target, [message](const Handler& handler) { handler(message); });
}

bool QtMessageSink::Send(MessageTarget target, const Message& message, std::stop_token stop) {
    if (stop.stop_requested()) {
        return false;
    }
    auto state = std::make_shared<SendState>();
    auto completion = std::make_shared<Completion>(state);
    const bool queued = Queue(target, [message, completion](const Handler& handler) {
        handler(message);
        completion->Handled();
    });
    completion.reset(); // the queued call now holds the only one
    if (!queued) {
        return false;
    }
    std::unique_lock lock(state->mutex);
    state->changed.wait(lock, stop, [&] { return state->over; });
    return state->handled;
}

} // namespace korvex
