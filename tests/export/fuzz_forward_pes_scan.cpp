// Feeds arbitrary bytes, in blocks of a size the input chooses, through the export's forward
// scan to its end, and each PES it hands on through the steps of an AVI export: the PES header,
// the picture search, and the AAC decoder for the audio.
#include "audio/aac_decoder.h"
#include "export/forward_pes_scan.h"
#include "stream/pes_header.h"
#include "stream/picture_search.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvex;
    if (size < 2) {
        return 0;
    }
    const std::size_t block = 1 + (static_cast<std::size_t>(data[0]) << 5); // 1 to 8161
    static AacDecoder decoder; // opening one per input would dominate the run
    if (!decoder.Open()) {
        __builtin_trap();
    }
    const ForwardPesScan::Delivery deliver = [](ForwardPesScan::Stream stream,
                                                std::span<const std::uint8_t> pes) {
        const auto header = ParsePesHeader(pes);
        if (!header) {
            return true;
        }
        const auto payload = pes.subspan(header->payload_offset);
        if (stream == ForwardPesScan::Stream::kVideo) {
            const auto picture = FindPicture(payload);
            if (picture && picture->offset >= payload.size()) {
                __builtin_trap();
            }
        } else if (decoder.Decode(payload).consumed < 0) {
            __builtin_trap();
        }
        return true;
    };
    ForwardPesScan scan;
    for (std::size_t at = 1; at < size; at += block) {
        scan.Scan({data + at, std::min(block, size - at)}, deliver);
    }
    scan.Finish(deliver);
    return 0;
}
