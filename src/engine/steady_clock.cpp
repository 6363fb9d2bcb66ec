#include "engine/steady_clock.h"

#include "engine/auto_reset_event.h"

#include <chrono>
#include <thread>

namespace korvex {

std::int64_t SteadyClock::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool SteadyClock::WaitFor(AutoResetEvent& event, std::int64_t timeout_ms) {
    if (timeout_ms <= 0) {
        return event.TryWait();
    }
    return event.WaitUntil(std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(timeout_ms));
}

void SteadyClock::SleepFor(std::int64_t ms) {
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

Clock& SystemClock() {
    static SteadyClock clock;
    return clock;
}

} // namespace korvex
