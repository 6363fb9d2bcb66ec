#include "stream/recording_length.h"

#include "stream/pes_collector.h"
#include "stream/pes_header.h"
#include "stream/read_only_file.h"
#include "stream/scan_buffer.h"
#include "stream/ts_packet.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace korvex {

namespace {

// The PES completed by the unit-start packet just put in front of `pes`: its time stamp in whole
// seconds when that is positive, else 0.
int PositiveSeconds(const PesCollector& pes) {
    const auto header = ParsePesHeader(pes.Bytes());
    if (!header || !header->has_pts) {
        return 0;
    }
    return std::max(0, static_cast<int>(std::trunc(header->pts)));
}

} // namespace

int LengthOf(const std::string& path) {
    ReadOnlyFile file;
    if (!file.Open(path)) {
        return 0;
    }
    ScanBuffer scan;
    PesCollector pes;
    std::array<std::uint8_t, ScanBuffer::kBlockSize> block;
    // The end of the file stands for the sync byte of a next packet, so that the last packet,
    // which may hold the whole last picture, is framed too.
    std::int64_t end = file.Size();
    std::size_t room = block.size() - 1;
    block[room] = kTsSyncByte;
    bool at_file_end = true;
    while (end > 0) {
        const std::size_t length = static_cast<std::size_t>(std::min<std::int64_t>(room, end));
        const std::int64_t start = end - static_cast<std::int64_t>(length);
        std::uint8_t* into = block.data() + room - length;
        if (file.ReadAt(start, {into, length}) != length) {
            return 0;
        }
        scan.PrependBackward({into, length + (at_file_end ? 1 : 0)});
        while (const std::uint8_t* packet = scan.NextPacketBackward()) {
            const auto header = DecodeHeader(packet);
            if (!header || header->pid != kCameraVideoPid) {
                continue;
            }
            pes.Prepend(header->payload);
            if (header->unit_start) {
                if (const int seconds = PositiveSeconds(pes)) {
                    return seconds;
                }
                pes.Clear();
            }
        }
        end = start;
        room = block.size();
        at_file_end = false;
    }
    return 0;
}

} // namespace korvex
