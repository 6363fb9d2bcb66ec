#pragma once

#include "engine/auto_reset_event.h"
#include "engine/clock.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>

namespace korvex {

// The one thread of a worker and its running flag: what CMyThread and ReaderThread share.
//
// Start, Stop, AwaitEnd and ThreadId belong to the controlling thread (the one that owns the
// worker); IsRunning may be read anywhere; SleepWhileRunning is for the body.
//
// A Stop whose time-out passes leaves the thread running ("abandoned"), but never lets go of
// it: the destructor, AwaitEnd and the next Start wait until the body has really returned, so
// whatever the body uses must only be destroyed after one of them.
class WorkerThread {
public:
    explicit WorkerThread(Clock& clock);
    ~WorkerThread(); // waits for the body without a time limit
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Sets the running flag and runs `body` on a new thread; the flag is cleared again when the
    // body returns. False when the thread cannot be created, or when an abandoned body has not
    // returned yet (one object never runs two bodies at once).
    bool Start(std::function<void()> body);

    // Clears the running flag, ends a SleepWhileRunning at once, and waits for the body: at most
    // `timeout_ms` of real time, or without a limit when none is given. True when the thread has
    // ended (or there was none). Never from the body itself. The time-out guards against a body
    // that hangs, so it is real time even when the worker runs on a manual clock, which would
    // otherwise give up on every thread at once when it advances by itself.
    bool Stop(std::optional<std::int64_t> timeout_ms);

    // Waits without a limit for a body that is still running, abandoned or not.
    void AwaitEnd();

    bool IsRunning() const { return running_.load(); }
    std::thread::id ThreadId() const { return thread_.get_id(); }

    // The body's pause: returns after `ms` of the clock, or as soon as Stop clears the flag.
    void SleepWhileRunning(std::int64_t ms);
    // Returns once `wake` is set or after `ms` of the clock (at once when stopped). Stop does
    // not set `wake`: whoever stops the body must.
    void IdleUntilSet(AutoResetEvent& wake, std::int64_t ms);

    Clock& clock() const { return clock_; }

private:
    Clock& clock_;
    std::thread thread_;
    std::atomic<bool> running_ = false;
    AutoResetEvent stop_requested_; // ends SleepWhileRunning
    AutoResetEvent ended_;          // set by the thread after the body has returned
};

} // namespace korvex
