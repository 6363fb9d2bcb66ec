#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvex {

// The longest key the import takes; longer input is cut to it.
inline constexpr std::size_t kMapKeyLength = 63;

// The built-in page with a map service key: "key=", the key and "&" go in front of the first
// "v=3." of the script address (which must start more than 16 bytes before the page's end);
// everything else stays byte for byte. A page without it comes back unchanged.
std::string PageWithMapKey(std::string_view page, std::string_view key);

// Writes PageWithMapKey(page, key) to `output`, creating the folders along its path and
// replacing any earlier page in one step. False when it could not be written.
bool ImportMapKey(std::string_view page, const std::filesystem::path& output, std::string_view key);

} // namespace korvex
