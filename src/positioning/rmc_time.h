#pragma once

#include "app/gps_values.h"

#include <optional>
#include <string_view>

namespace korvex {

// The UTC time (field 1, hhmmss with optional fraction) and date (field 9, ddmmyy) of the first
// "$GPRMC" sentence in `text`, when both are present and name a real moment; two-digit years
// below 80 are 20yy, the rest 19yy. Reads nothing past the end of `text` or its first zero byte.
std::optional<RmcTime> ParseRmcTime(std::string_view text);

} // namespace korvex
