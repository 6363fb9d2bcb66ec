#pragma once

#include "engine/clock.h"

namespace korvex {

// The real clock: std::chrono::steady_clock, real waits. Stateless, so one instance serves the
// whole process (SystemClock()).
class SteadyClock final : public Clock {
public:
    std::int64_t NowMs() const override;
    bool WaitFor(AutoResetEvent& event, std::int64_t timeout_ms) override;
    void SleepFor(std::int64_t ms) override;
};

} // namespace korvex
