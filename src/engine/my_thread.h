#pragma once

#include "engine/clock.h"
#include "engine/worker_thread.h"

namespace korvex {

// Base of the decoding workers (video, audio): Start runs Run on a thread of its own, Stop
// clears the running flag that Run polls and waits for the thread, at most a time-out of real
// time. The clock given at construction paces SleepWhileRunning.
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

    // Running := true and Run on a new thread. False when no thread could be created, or when a
    // Run of this object is still going (never stopped, or abandoned by Stop).
    virtual bool Start();

    // Running := false, then waits for Run to return, at most `timeout_ms` of real time. Does
    // nothing harmful on a worker that was never started or is already stopped.
    virtual void Stop(int timeout_ms) { StopThread(timeout_ms); }

    // Returns after `ms` of the clock, or as soon as Stop clears the running flag.
    virtual void SleepWhileRunning(int ms);
    // Returns once `wake` is set or after `ms` of the clock; a derived Stop sets `wake`.
    void IdleUntilSet(AutoResetEvent& wake, int ms) { thread_.IdleUntilSet(wake, ms); }

    bool IsRunning() const { return thread_.IsRunning(); }

protected:
    // The thread body; polls IsRunning and returns when it is cleared.
    virtual int Run() = 0;

    // Stop's work, for a derived Stop that goes on with what Run used: true when the thread has
    // ended, false when it was abandoned (and still runs).
    bool StopThread(int timeout_ms) { return thread_.Stop(timeout_ms); }

    // Waits without a time limit until a Run that Stop abandoned has returned.
    void AwaitEnd() { thread_.AwaitEnd(); }

    Clock& clock() const { return thread_.clock(); }

private:
    WorkerThread thread_;
};

} // namespace korvex
