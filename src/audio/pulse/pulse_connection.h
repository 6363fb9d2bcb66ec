#pragma once

#include <atomic>
#include <chrono>
#include <functional>

struct pa_context;
struct pa_operation;
struct pa_threaded_mainloop;

namespace korvex::pulse {

// A connection to the PulseAudio server (or PipeWire's PulseAudio service) on a threaded main
// loop of its own. Every wait is bounded by the connection's timeout and ends at once when the
// server goes away, so no caller can hang on a server that vanished or stopped answering. The
// server is the one the environment names (PULSE_SERVER, the runtime folder); none is spawned.
//
// Threads: the owner calls Connect, LoopLock and the destructor; WaitFor and Complete with the
// loop lock held; callbacks run on the loop's own thread with the lock held and end a wait with
// Signal. IsGone may be read from any thread.
class PulseConnection {
public:
    explicit PulseConnection(std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));
    ~PulseConnection(); // stops the loop and disconnects; no callback runs afterwards
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    // Connects as `client_name`. False when no server answered within the timeout.
    bool Connect(const char* client_name);

    // True once the connection has failed or ended (the server went away).
    bool IsGone() const { return gone_.load(std::memory_order_acquire); }

    pa_context* Context() const { return context_; }
    pa_threaded_mainloop* Loop() const { return loop_; }

    // Holds the loop lock for a scope.
    class LoopLock {
    public:
        explicit LoopLock(const PulseConnection& connection);
        ~LoopLock();
        LoopLock(const LoopLock&) = delete;
        LoopLock& operator=(const LoopLock&) = delete;

    private:
        pa_threaded_mainloop* loop_;
    };

    // Loop lock held: waits until `done` holds, the server is gone or the timeout passed;
    // returns `done()`. Whatever `done` looks at must be changed by a callback that Signals.
    bool WaitFor(const std::function<bool()>& done) const;

    // Loop lock held: waits for an operation to finish, cancels it after the timeout and
    // releases it. True when it finished.
    bool Complete(pa_operation* operation) const;

    // From a callback: wakes the waiting thread.
    void Signal() const;

private:
    static void OnStateChange(pa_context* context, void* self);

    std::chrono::milliseconds timeout_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    std::atomic<bool> gone_{false};
};

} // namespace korvex::pulse
