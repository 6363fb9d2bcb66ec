#pragma once

// The stream reader's work buffers (internal to CTSAnalyse): allocated when its thread starts,
// freed when it stops.

#include "stream/pes_collector.h"
#include "stream/scan_buffer.h"
#include "stream/ts_analyse.h"

#include <array>

namespace korvex {

struct CTSAnalyse::WorkBuffers {
    std::array<std::uint8_t, ScanBuffer::kBlockSize> block;
    ScanBuffer scan;
    PesCollector video;
    PesCollector audio;
    PesCollector gps;
    // Backward: the video PES being collected began at the unit start of the one after it, so
    // its tail has been read. Not after a flush or a change of recording: the scan then starts
    // inside a PES whose later bytes it never reads.
    bool video_tail_read = false;

    void Clear() {
        scan.Clear();
        video.Clear();
        audio.Clear();
        gps.Clear();
        video_tail_read = false;
    }
};

// Thousandths of the recording at `position` (0-1000: a recording that grew since it was opened
// counts as at its end).
inline int Thousandths(std::int64_t position, std::int64_t size) {
    if (size <= 0 || position <= 0) {
        return 0;
    }
    return position >= size ? 1000 : static_cast<int>(position * 1000 / size);
}

} // namespace korvex
