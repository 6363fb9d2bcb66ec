#include "stream/frame_rate_meter.h"

#include <cmath>

namespace korvex {

namespace {

int RoundedRate(double first, double last) {
    const double rate = 1 / ((last - first) / FrameRateMeter::kSampleCount) + 0.999;
    // A rate from time stamps that do not advance (infinite, negative or not a number) is no
    // measurement: keep the common rate.
    return std::isfinite(rate) && std::trunc(rate) >= 45 ? 60 : 30;
}

} // namespace

void FrameRateMeter::MeasureFrameRate(const PesHeader& header) {
    if (done_ || !header.has_pts) {
        return;
    }
    if (counter_ == 0) {
        first_ = header.pts;
    } else if (counter_ == kSampleCount) {
        frame_rate_ = RoundedRate(first_, header.pts);
        done_ = true;
        return;
    }
    ++counter_;
}

void FrameRateMeter::Restart() {
    done_ = false;
    counter_ = -1;
}

} // namespace korvex
