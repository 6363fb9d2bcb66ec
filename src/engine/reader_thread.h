#pragma once

#include "engine/clock.h"
#include "engine/worker_thread.h"

#include <functional>
#include <optional>
#include <thread>
#include <utility>

namespace korvex {

// The thread of a reader-like worker (stream reader, clip export, folder scan). Unlike
// CMyThread, Start first stops a run that is still going, Stop waits for the body without a
// time limit (the reader may be blocked in a packet buffer until its channel closes the buffer),
// and the body's return clears the running flag, so IsRunning also tells that the work has
// finished. The thread identifier is kept beside the thread.
//
// The owner holds one as a member and runs its body through it. Start, Stop and ThreadId: the
// controlling thread; SleepWhileRunning: the body; IsRunning: any thread. The destructor stops
// the body, so the owner must call Stop in its own destructor (or declare this member last)
// before the members the body uses go.
class ReaderThread {
public:
    explicit ReaderThread(Clock& clock = SystemClock()) : thread_(clock) {}

    // Stops a previous run, then runs `body` on a new thread. False when no thread could be
    // created.
    bool Start(std::function<void()> body) {
        Stop();
        return thread_.Start(std::move(body));
    }

    // Running := false, then waits until the body has returned. Never from the body itself.
    void Stop() { thread_.Stop(std::nullopt); }

    bool IsRunning() const { return thread_.IsRunning(); }
    std::thread::id ThreadId() const { return thread_.ThreadId(); }

    // The body's pause (for example at the end of the last recording): returns after `ms` of the
    // clock, or as soon as Stop clears the running flag.
    void SleepWhileRunning(int ms) { thread_.SleepWhileRunning(ms); }

private:
    WorkerThread thread_;
};

} // namespace korvex
