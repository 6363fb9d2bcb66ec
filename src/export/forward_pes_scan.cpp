#include "export/forward_pes_scan.h"

#include "stream/ts_packet.h"

namespace korvex {

bool ForwardPesScan::Scan(std::span<const std::uint8_t> block, const Delivery& deliver) {
    scan_.AppendForward(block);
    return ScanPackets(deliver);
}

bool ForwardPesScan::Finish(const Delivery& deliver) {
    // The end of the data stands for the sync byte of a next packet.
    const std::uint8_t sync = kTsSyncByte;
    scan_.AppendForward({&sync, 1});
    const bool more = ScanPackets(deliver);
    scan_.Clear();
    if (!more) {
        return false;
    }
    for (const Stream stream : {Stream::kVideo, Stream::kAudio}) {
        PesCollector& collected = stream == Stream::kVideo ? video_ : audio_;
        if (!collected.Empty() && !deliver(stream, collected.Bytes())) {
            return false;
        }
        collected.Clear();
    }
    return true;
}

bool ForwardPesScan::ScanForTables(std::span<const std::uint8_t> block) {
    scan_.AppendForward(block);
    while (const std::uint8_t* packet = scan_.NextPacketForward()) {
        if (const auto header = DecodeHeader(packet)) {
            tables_.OfferToTables(*header);
            if (tables_.Ready()) {
                return true;
            }
        }
    }
    return false;
}

void ForwardPesScan::PassOver() {
    while (scan_.NextPacketForward() != nullptr) {
    }
}

bool ForwardPesScan::ScanPackets(const Delivery& deliver) {
    while (const std::uint8_t* packet = scan_.NextPacketForward()) {
        if (!Handle(packet, deliver)) {
            return false;
        }
    }
    return true;
}

bool ForwardPesScan::Handle(const std::uint8_t* packet, const Delivery& deliver) {
    const auto header = DecodeHeader(packet);
    if (!header) {
        return true;
    }
    if (!tables_.Ready()) {
        tables_.OfferToTables(*header);
        return true;
    }
    const bool video = header->pid == tables_.VideoPid();
    if (!video && header->pid != tables_.AudioPid()) {
        return true; // the GPS texts and everything else are not part of a clip
    }
    PesCollector& collected = video ? video_ : audio_;
    if (header->unit_start && !collected.Empty()) {
        const bool more = deliver(video ? Stream::kVideo : Stream::kAudio, collected.Bytes());
        collected.Clear();
        if (!more) {
            return false;
        }
    }
    collected.Append(header->payload);
    return true;
}

} // namespace korvex
