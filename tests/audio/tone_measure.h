#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace korvex::test {

// The loud part of a recording: from the first to the last sample above a threshold, its
// outer tenths left out (fade-in of the encoder, cut at the end).
struct ToneMeasure {
    std::size_t samples = 0; // length of the loud part
    double rms = 0;
    double hz = 0; // from the rising zero crossings, at 48 kHz
};

ToneMeasure MeasureTone(std::span<const int16_t> samples, int threshold = 1000);

} // namespace korvex::test
