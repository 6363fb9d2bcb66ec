#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace korvex {

// Replaces the file at `path` with `bytes` so that a crash or a pulled card leaves either the old
// file or the new one, never a truncated mix: the bytes go to a temporary file in the same
// folder, are flushed to the device, and the temporary file is renamed over the old one.
// A new file gets the mode 0666 less the umask; a replaced file keeps its mode.
// Returns an empty error_code on success.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace korvex
