#pragma once

#include <string>
#include <string_view>

namespace korvex {

// The program's version as "major.minor.patch.build", from the project version.
std::string ProgramVersionText();

// The desktop entry's id (its file name without ".desktop"), which the AppStream metadata
// shares and by which desktops and media widgets find the program's entry and icon.
inline constexpr std::string_view kDesktopEntryId = "org.korvex.Korvex";

} // namespace korvex
