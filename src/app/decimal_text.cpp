#include "app/decimal_text.h"

#include <charconv>
#include <limits>

namespace korvex {

double ParseDecimal(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n\f\v");
    if (first == std::string_view::npos) {
        return 0;
    }
    text.remove_prefix(first);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // Only plain decimal notation: no second sign, no "inf" or "nan" from a hand-edited file.
    if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) {
        return 0;
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::invalid_argument) {
        return 0;
    }
    return negative ? -value : value;
}

std::string FormatDecimal(double value) {
    // Room for the largest double in full: a sign, every digit before the point, six after.
    char buffer[1 + std::numeric_limits<double>::max_exponent10 + 1 + 1 + 6];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (result.ec != std::errc()) {
        return "0.000000";
    }
    return std::string(buffer, result.ptr);
}

} // namespace korvex
