#pragma once

#include "positioning/gps_fix.h"

#include <cstdint>
#include <optional>

namespace korvex {

// What a JPEG snapshot tells of its picture besides the pixels: when it was taken and, when the
// camera had a fix, where.
struct PictureTags {
    std::optional<std::int64_t> taken; // seconds since 1970 (UTC)
    std::optional<GpsFix> fix;
};

} // namespace korvex
