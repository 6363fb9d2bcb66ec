#pragma once

#include <cstdint>

namespace korvex {

class AutoResetEvent;

// The engine's sense of time: millisecond ticks and the timed waits that pace playback (the
// pacing clock, the sleeps of idle workers, the sound device's notifications). A worker's stop
// time-out is no part of it: it guards against a hung thread and runs on real time. The real clock
// is the steady clock (SystemClock()); a ManualClock (engine/manual_clock.h) lets tests and unpaced
// runs go through the same code without waiting in real time.
//
// Implementations are shared by all threads of a channel: every function may be called from any
// thread, at the same time as any other.
class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds on a monotonic scale with an arbitrary origin; never goes back.
    // Any thread; never blocks.
    virtual std::int64_t NowMs() const = 0;

    // Blocks the calling thread until `event` is set (takes it and returns true) or until
    // `timeout_ms` milliseconds of this clock have passed (returns false). A timeout of 0 or less
    // only takes the event if it is already set. Any thread (typically the one worker that owns
    // the wait, such as the video worker's pacing); `event` must outlive the call.
    virtual bool WaitFor(AutoResetEvent& event, std::int64_t timeout_ms) = 0;

    // Blocks the calling thread for `ms` milliseconds of this clock. Any thread.
    virtual void SleepFor(std::int64_t ms) = 0;

    // The wait of a worker that has nothing to do until `event` or the time-out: WaitFor, except
    // on a clock that never blocks its waits, where the worker must still not spin.
    virtual bool WaitIdle(AutoResetEvent& event, std::int64_t timeout_ms) {
        return WaitFor(event, timeout_ms);
    }
};

// The process's steady clock. It lives as long as the process, so it may be handed to objects
// created and destroyed at any time.
Clock& SystemClock();

} // namespace korvex
