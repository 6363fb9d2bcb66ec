#pragma once

#include <optional>
#include <string>

namespace korvex {

// What an AVI clip of a recording is made with when nobody says otherwise: the frame rate the
// player measures (30 or 60 pictures per second) and the size of the first picture.
struct ClipFormat {
    int frame_rate = 0;
    int width = 0;
    int height = 0;
};

// Reads the recording from its start until both are known (or its end): none when no picture
// in it can be decoded. Any thread; opens the file and a decoder of its own.
std::optional<ClipFormat> ProbeClipFormat(const std::string& path);

} // namespace korvex
