#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace korvex::test {

// The texts a piece of source passes to the program's translation: the string literals given to
// Tr, Translate or translate (after an optional first argument that is a name, as in
// Tr(settings_, "...")) and those marked with TextKey. Adjacent literals are joined, escapes
// undone and blanks trimmed, as a language file's reader trims its keys.
std::vector<std::string> TranslatedLiterals(std::string_view source);

// Every translated text of the C++ files under `folder`, with where it is first used
// ("FILE:LINE", FILE relative to `folder`).
std::map<std::string, std::string> TranslatedLiteralsUnder(const std::filesystem::path& folder);

} // namespace korvex::test
