#pragma once

#include <filesystem>
#include <string>

namespace korvex {

// The extension of `path` with its dot, in lower case (".jpg" for "Shot.JPG"), so a file's kind
// is told by its name whatever its case; empty when it has none.
std::string LowerExtension(const std::filesystem::path& path);

} // namespace korvex
