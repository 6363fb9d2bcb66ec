// Frames arbitrary bytes into transport packets forward and backward, learns the tables and
// collects every PID's PES packets, then parses their headers and searches them for pictures.
#include "stream/frame_rate_meter.h"
#include "stream/pes_collector.h"
#include "stream/pes_header.h"
#include "stream/picture_search.h"
#include "stream/scan_buffer.h"
#include "stream/stream_tables.h"

#include <algorithm>

namespace {

using namespace korvex;

struct Demux {
    StreamTables tables;
    PesCollector pes;
    FrameRateMeter meter;

    void Deliver() {
        if (auto header = ParsePesHeader(pes.Bytes())) {
            meter.MeasureFrameRate(*header);
            auto picture = FindPicture(pes.Bytes().subspan(header->payload_offset));
            if (picture && picture->type != kKeyPicture && picture->type != kOtherPicture) {
                __builtin_trap();
            }
        }
        pes.Clear();
    }

    void Handle(const std::uint8_t* packet, bool forward) {
        auto header = DecodeHeader(packet);
        if (!header) {
            return;
        }
        if (!tables.Ready()) {
            tables.OfferToTables(*header);
            if (!tables.Ready()) {
                return;
            }
        }
        if (header->pid != tables.VideoPid() && header->pid != tables.AudioPid() &&
            header->pid != tables.GpsPid()) {
            return;
        }
        if (forward) {
            if (header->unit_start) {
                Deliver();
            }
            pes.Append(header->payload);
        } else {
            pes.Prepend(header->payload);
            if (header->unit_start) {
                Deliver();
            }
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte chooses the block size, so block boundaries fall everywhere.
    const std::size_t block = size == 0 ? 1 : 1 + data[0] * 32 % ScanBuffer::kBlockSize;
    Demux forward;
    ScanBuffer scan;
    for (std::size_t at = 0; at < size; at += block) {
        scan.AppendForward({data + at, std::min(block, size - at)});
        while (const std::uint8_t* packet = scan.NextPacketForward()) {
            forward.Handle(packet, true);
        }
    }
    Demux backward;
    scan.Clear();
    for (std::size_t end = size; end > 0;) {
        const std::size_t length = std::min(block, end);
        end -= length;
        scan.PrependBackward({data + end, length});
        while (const std::uint8_t* packet = scan.NextPacketBackward()) {
            backward.Handle(packet, false);
        }
    }
    return 0;
}
