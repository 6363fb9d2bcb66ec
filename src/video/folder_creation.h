#pragma once

#include <filesystem>

namespace korvex {

// Makes sure the folder that will hold `file` exists, creating missing parent folders too.
// Failures are not reported: writing the file then fails on its own.
void CreateFolderFor(const std::filesystem::path& file);

} // namespace korvex
