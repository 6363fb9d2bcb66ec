#pragma once

#include <string>

namespace korvex {

// The PID on which the cameras write their video; the length scan does not read the tables.
inline constexpr int kCameraVideoPid = 0x1011;

// The length of a recording in whole seconds: the presentation time stamp of the last picture
// in the file (truncated), found by reading the file backward from its end until a video PES
// with a positive time stamp is complete. 0 when the file cannot be opened or holds no such
// picture.
int LengthOf(const std::string& path);

} // namespace korvex
