#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvex {

// The mount point among `mount_points` that holds `path`: the deepest one that `path` lies
// under, compared by whole path components after symbolic links are resolved. Empty when none
// does.
std::string VolumeHolding(const std::filesystem::path& path,
                          const std::vector<std::string>& mount_points);

// Why the volume mounted at `mount_point` must not be formatted, or an empty text: it must be
// one of the removable volumes `removable` lists now, and neither the root file system nor the
// one that holds `home`.
std::string WhyNotFormattable(const std::string& mount_point,
                              const std::vector<std::string>& removable,
                              const std::filesystem::path& home);

} // namespace korvex
