#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace korvex::cli {

// A whole argument as a number of 0 or more; nothing when it has anything else in it.
template <typename Number> std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace korvex::cli
