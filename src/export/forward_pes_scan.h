#pragma once

#include "stream/pes_collector.h"
#include "stream/scan_buffer.h"
#include "stream/stream_tables.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace korvex {

// Reads the packets of recordings forward, block by block, as the stream reader does: frames
// them, learns the stream PIDs from the first program tables, and collects the video and audio
// PES packets, each handed on when the next unit of its PID starts. Blocks of consecutive
// recordings may follow each other; the tables learnt stay.
//
// One user, one thread.
class ForwardPesScan {
public:
    enum class Stream { kVideo, kAudio };
    // Takes a complete PES; returns false to stop the scan (the rest of the block is dropped).
    using Delivery = std::function<bool(Stream, std::span<const std::uint8_t>)>;

    // Appends a block and handles its packets. False when a delivery stopped it.
    bool Scan(std::span<const std::uint8_t> block, const Delivery& deliver);

    // The data has ended: the last packet, which waits for a sync byte after it, is handled,
    // and then what is collected is handed on (video first). False when a delivery stopped it.
    bool Finish(const Delivery& deliver);

    // Appends a block and frames its packets only until the program tables are ready: true when
    // they are, with the bytes after the packet that completed them left unscanned.
    bool ScanForTables(std::span<const std::uint8_t> block);
    // Frames the rest of the block without handling its packets.
    void PassOver();
    std::size_t Unscanned() const { return scan_.Unscanned(); }

private:
    bool ScanPackets(const Delivery& deliver);
    bool Handle(const std::uint8_t* packet, const Delivery& deliver);

    ScanBuffer scan_;
    StreamTables tables_;
    PesCollector video_;
    PesCollector audio_;
};

} // namespace korvex
