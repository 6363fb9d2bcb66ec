#pragma once

#include <string>
#include <string_view>

namespace korvex {

// Decimal text to double as the configuration reads it: leading blanks skipped, optional sign,
// the conversion stops at the first character that does not fit, no digits give 0. A point is
// the decimal separator whatever the process locale (Qt sets it from the environment).
double ParseDecimal(std::string_view text);

// Six decimals with a point as separator whatever the locale: "120.528903".
std::string FormatDecimal(double value);

} // namespace korvex
