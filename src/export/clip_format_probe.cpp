#include "export/clip_format_probe.h"

#include "export/block_reader.h"
#include "export/forward_pes_scan.h"
#include "stream/frame_rate_meter.h"
#include "stream/pes_header.h"
#include "stream/picture_search.h"
#include "video/h264_decoder.h"

namespace korvex {

std::optional<ClipFormat> ProbeClipFormat(const std::string& path) {
    BlockReader reader;
    CH264Decoder decoder;
    if (!reader.Open(path) || !decoder.Open(0, 0, 0)) {
        return std::nullopt;
    }
    ForwardPesScan scan;
    FrameRateMeter meter;
    ClipFormat format;
    const ForwardPesScan::Delivery deliver = [&](ForwardPesScan::Stream stream,
                                                 std::span<const std::uint8_t> pes) {
        const std::optional<PesHeader> header = ParsePesHeader(pes);
        if (stream != ForwardPesScan::Stream::kVideo || !header) {
            return true;
        }
        meter.MeasureFrameRate(*header);
        const std::span<const std::uint8_t> payload = pes.subspan(header->payload_offset);
        const std::optional<PictureStart> picture = FindPicture(payload);
        if (format.width == 0 && picture) {
            const std::span<const std::uint8_t> bytes = payload.subspan(picture->offset);
            if (decoder.Decode(bytes)) {
                format.width = decoder.PictureWidth();
                format.height = decoder.PictureHeight();
            }
        }
        return format.width == 0 || !meter.Done();
    };
    bool more = true;
    for (std::span<const std::uint8_t> block = reader.Next(); more && !block.empty();
         block = reader.Next()) {
        more = scan.Scan(block, deliver);
    }
    if (more) {
        scan.Finish(deliver);
    }
    if (format.width == 0) {
        return std::nullopt;
    }
    format.frame_rate = meter.FrameRate();
    return format;
}

} // namespace korvex
