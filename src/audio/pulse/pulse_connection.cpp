#include "audio/pulse/pulse_connection.h"

#include <pulse/context.h>
#include <pulse/operation.h>
#include <pulse/rtclock.h>
#include <pulse/thread-mainloop.h>

namespace korvex::pulse {
namespace {

struct Deadline {
    pa_threaded_mainloop* loop;
    bool passed = false;
};

void OnDeadline(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* data) {
    auto* deadline = static_cast<Deadline*>(data);
    deadline->passed = true;
    pa_threaded_mainloop_signal(deadline->loop, 0);
}

} // namespace

PulseConnection::PulseConnection(std::chrono::milliseconds timeout) : timeout_(timeout) {}

PulseConnection::~PulseConnection() {
    if (loop_) {
        pa_threaded_mainloop_stop(loop_);
    }
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    if (loop_) {
        pa_threaded_mainloop_free(loop_);
    }
}

bool PulseConnection::Connect(const char* client_name) {
    if (!(loop_ = pa_threaded_mainloop_new())) {
        return false;
    }
    if (!(context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), client_name))) {
        return false;
    }
    pa_context_set_state_callback(context_, &PulseConnection::OnStateChange, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(loop_) < 0) {
        return false;
    }
    LoopLock lock(*this);
    return WaitFor([this] { return pa_context_get_state(context_) == PA_CONTEXT_READY; });
}

void PulseConnection::OnStateChange(pa_context* context, void* self) {
    auto* connection = static_cast<PulseConnection*>(self);
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) {
        connection->gone_.store(true, std::memory_order_release);
    }
    connection->Signal();
}

PulseConnection::LoopLock::LoopLock(const PulseConnection& connection) : loop_(connection.loop_) {
    pa_threaded_mainloop_lock(loop_);
}

PulseConnection::LoopLock::~LoopLock() {
    pa_threaded_mainloop_unlock(loop_);
}

bool PulseConnection::WaitFor(const std::function<bool()>& done) const {
    Deadline deadline{loop_};
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(timeout_).count();
    pa_time_event* timer = pa_context_rttime_new(
        context_, pa_rtclock_now() + static_cast<pa_usec_t>(micros), &OnDeadline, &deadline);
    while (timer && !done() && !IsGone() && !deadline.passed) {
        pa_threaded_mainloop_wait(loop_);
    }
    if (timer) {
        pa_threaded_mainloop_get_api(loop_)->time_free(timer);
    }
    return done();
}

bool PulseConnection::Complete(pa_operation* operation) const {
    if (!operation) {
        return false;
    }
    const bool finished =
        WaitFor([operation] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; });
    const bool done = pa_operation_get_state(operation) == PA_OPERATION_DONE;
    if (!finished) {
        pa_operation_cancel(operation);
    }
    pa_operation_unref(operation);
    return done;
}

void PulseConnection::Signal() const {
    pa_threaded_mainloop_signal(loop_, 0);
}

} // namespace korvex::pulse
