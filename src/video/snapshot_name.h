#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace korvex {

// The base path of one snapshot command: the folder, one '/', the local time of the command as
// "%Y-%m-%d %H-%M-%S" and ".jpg" when `image_type` is non-zero, otherwise ".bmp". A folder
// given with or without a trailing separator yields one separator.
std::string SnapshotBasePath(std::string_view folder, std::time_t when, int image_type);

// The file of shot `index` (0 for the first) of a command: "--" and the three-digit shot
// number, counted from 001, before the base path's extension ("... 14-07-09--001.bmp").
std::string SnapshotShotPath(std::string_view base_path, int index);

// The number of shots a command asks for: the configured count, at least 1.
int SnapshotShotCount(int continuous_shooting_count);

} // namespace korvex
