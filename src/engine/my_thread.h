#pragma once

#include "engine/clock.h"
#include "engine/worker_thread.h"

namespace korvex {

// Base of the decoding workers (video, audio): Start runs Run on a thread of its own, Stop
// clears the running flag that Run polls and waits for the thread, at most a time-out.
//
// A worker whose Run does not return within the time-out is abandoned by Stop, which returns
// anyway so that the user interface goes on. The thread still uses the object, so it must not be
// destroyed under it: a derived destructor calls Stop(kStopTimeoutMs) and then AwaitEnd() before
// its own members go, and this base's destructor waits as well.
//
// Start, Stop and AwaitEnd: the controlling thread. SleepWhileRunning: Run. IsRunning: any.
class CMyThread {
public:
    static constexpr int kStopTimeoutMs = 10000;

    explicit CMyThread(Clock& clock = SystemClock());
    virtual ~CMyThread() = default;
    CMyThread(const CMyThread&) = delete;
    CMyThread& operator=(const CMyThread&) = delete;

    // Running := true and Run on a new thread. False when no thread could be created, or when an
    // abandoned Run of this object has not returned yet.
    virtual bool Start();

    // Running := false, then waits for Run to return, at most `timeout_ms` of the clock. Does
    // nothing harmful on a worker that was never started or is already stopped.
    virtual void Stop(int timeout_ms);

    // Returns after `ms` of the clock, or as soon as Stop clears the running flag.
    virtual void SleepWhileRunning(int ms);

    bool IsRunning() const { return thread_.IsRunning(); }

protected:
    // The thread body; polls IsRunning and returns when it is cleared.
    virtual int Run() = 0;

    // Waits without a time limit until a Run that Stop abandoned has returned.
    void AwaitEnd() { thread_.AwaitEnd(); }

    Clock& clock() const { return thread_.clock(); }

private:
    WorkerThread thread_;
};

} // namespace korvex
