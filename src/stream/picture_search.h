#pragma once

#include "engine/packet_record.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>

namespace korvex {

struct PictureStart {
    int type = 0;           // kKeyPicture or kOtherPicture
    std::size_t offset = 0; // where the picture's bytes start in the payload searched
};

// Finds the picture in the payload of a video PES: the first start code (four-byte 00 00 00 01
// or three-byte 00 00 01) that opens a slice (NAL unit type 1: other picture; 5: key picture),
// or a sequence parameter set (type 7) followed later by such a slice, which then decides the
// type while the picture starts at the parameter set. The NAL header's reference bits do not
// matter. The picture runs to the end of the payload. Gives up, finding nothing, when `stop` is
// requested.
std::optional<PictureStart> FindPicture(std::span<const std::uint8_t> payload,
                                        std::stop_token stop = {});

} // namespace korvex
