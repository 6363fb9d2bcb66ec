#pragma once

#include <cstdint>
#include <string>

namespace korvex {

// The stretch to export: from a byte position of the mark-in recording to one of the mark-out
// recording, as the channel's marks give them (its reader's position when each was set).
// Recordings are told apart by their paths, compared as exact text.
struct ClipMarks {
    std::string in_path;
    std::int64_t in_position = -1;
    std::string out_path;
    std::int64_t out_position = -1;

    // Whether what was read up to `position` of the recording `path` (the end of a block, or
    // where a PES was completed) belongs to the clip: everything between the two recordings,
    // and in the marked ones what ends after the mark-in or before the mark-out position.
    bool Inside(const std::string& path, std::int64_t position) const;
    // Whether the reading has passed the mark-out point: the clip is complete.
    bool PastEnd(const std::string& path, std::int64_t position) const;
};

// Whether the marks make a clip the panel exports: the mark-in point set, and the mark-out point
// in a later recording (by number) or later in the same one.
bool MarksMakeClip(const ClipMarks& marks);

} // namespace korvex
