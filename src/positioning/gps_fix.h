#pragma once

#include "app/gps_values.h"
#include "positioning/gps_text_parser.h"
#include "positioning/rmc_time.h"

#include <optional>
#include <string_view>

namespace korvex {

// Reads one GPS text as the map view does: `carried` holds the values of the texts before it, so
// that the fields a short sentence leaves out keep theirs. The fix when the text is accepted
// (ParseGpsText's 1), none otherwise. The caller owns `carried`.
std::optional<GpsFix> FixOfGpsText(std::string_view text, GpsRecord& carried);

} // namespace korvex
