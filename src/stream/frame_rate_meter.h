#pragma once

#include "stream/pes_header.h"

namespace korvex {

// Measures a video stream's frame rate from the time stamps of its PES packets: the first
// packet is only counted, the next one gives the first time stamp and the one 30 packets later
// the last. The result is rounded to the two rates the cameras record, 30 or 60.
//
// One user, one thread.
class FrameRateMeter {
public:
    static constexpr int kSampleCount = 30;
    static constexpr int kDefaultRate = 30;

    // Counts a parsed video PES; only one with a PTS counts, and only until the rate is measured.
    void MeasureFrameRate(const PesHeader& header);
    // Measures afresh; the rate measured last stays until the new measurement is done.
    void Restart();

    int FrameRate() const { return frame_rate_; }
    bool Done() const { return done_; }

private:
    bool done_ = false;
    int counter_ = -1;
    double first_ = 0;
    int frame_rate_ = kDefaultRate;
};

} // namespace korvex
