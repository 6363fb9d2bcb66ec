#include "engine/fps_ctrl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace korvex {

namespace {

constexpr double kLongestWaitMs = 1e9; // keeps a rate near zero from overflowing the wait

bool IsUsableRate(double fps) {
    return std::isfinite(fps) && fps > 0 && std::isfinite(1000 / fps);
}

} // namespace

// No SetRate here: there is no wait to end, and a signal left behind would skip the first one.
CFpsCtrl::CFpsCtrl(double rate, Clock& clock)
    : clock_(clock), rate_(IsUsableRate(rate) ? rate : 30) {
    interval_ = 1000 / rate_.load();
    Reset();
}

double CFpsCtrl::SetRate(double fps) {
    if (IsUsableRate(fps)) {
        rate_.store(fps);
        interval_ = 1000 / fps;
        wake_.Set();
    }
    return 1000 / interval_;
}

void CFpsCtrl::Reset() {
    next_due_ = static_cast<double>(clock_.NowMs());
}

void CFpsCtrl::Wait(double ms) {
    next_due_ += ms != 0 ? ms : interval_;
    const double ahead = next_due_ - static_cast<double>(clock_.NowMs());
    const auto remaining =
        static_cast<std::int64_t>(std::clamp(ahead, -kLongestWaitMs, kLongestWaitMs));
    if (remaining > 5) {
        clock_.WaitFor(wake_, remaining);
    }
}

} // namespace korvex
