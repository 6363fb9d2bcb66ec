#pragma once

#include <filesystem>
#include <string>

namespace korvex {

// Copies the recording being played to `target`, replacing a file there only once the copy is
// complete: the bytes go to a temporary file beside the target, which is then renamed over it,
// so a failure leaves the old file (or none) and never a half-written one under the name. A
// target that is the source itself (the same path, or a link to it) is refused before anything
// is written. Empty on success; otherwise why it failed, naming the file concerned.
std::string CopyPlayingFile(const std::filesystem::path& source,
                            const std::filesystem::path& target);

} // namespace korvex
