#pragma once

#include "engine/auto_reset_event.h"
#include "engine/clock.h"

#include <atomic>

namespace korvex {

// The pacing clock of a channel: keeps the video worker's pictures on a grid of due times.
// Wait moves the next due time on by one interval and waits for it; a picture that is late (or
// due within 5 ms) is not waited for, and its deficit stays in the due time, so the following
// pictures go out without waiting until the clock has caught up.
//
// Threads: the video worker alone calls SetRate, Reset and Wait; Signal (its Stop) and GetRate
// (the channel, the clip export) may come from any thread.
class CFpsCtrl {
public:
    // An unusable `rate` (not a positive number) starts at 30 pictures per second.
    CFpsCtrl(double rate, Clock& clock = SystemClock());
    CFpsCtrl(const CFpsCtrl&) = delete;
    CFpsCtrl& operator=(const CFpsCtrl&) = delete;

    // Pictures per second from now on; ends a current Wait at once (or, with none, the next).
    // Returns the rate in force. A rate that is not a positive number is ignored.
    double SetRate(double fps);
    double GetRate() const { return rate_.load(); }

    // The next picture is due now.
    void Reset();

    // Next due += `ms` (the interval when 0), then waits until then unless that is 5 ms away or
    // less; a SetRate or Signal ends the wait early.
    void Wait(double ms);

    void Signal() { wake_.Set(); }

    // The tick at which the picture of the last Wait was due. The video worker only.
    double DueMs() const { return next_due_; }

private:
    Clock& clock_;
    std::atomic<double> rate_;
    double interval_ = 0; // ms
    double next_due_ = 0; // ms on the clock
    AutoResetEvent wake_;
};

} // namespace korvex
