#pragma once

#include <cstdint>
#include <string>

namespace korvex {

// One end of the stretch the clip export copies: a recording and the reader's byte position in
// it when the mark was set.
struct ClipMark {
    int number = -1; // the recording's number (NumberOf); -1 when its name carries none
    std::string path;
    std::int64_t position = -1; // -1: not set
};

// The mark-in and the mark-out point of a channel. User-interface thread only.
struct ClipMarks {
    ClipMark in;
    ClipMark out;

    // A new mark-in point; an earlier mark-out no longer counts (its number and position are
    // cleared, its path stays), so an export needs a new one.
    void MarkIn(const std::string& path, std::int64_t position);
    // A new mark-out point; the mark-in point stays.
    void MarkOut(const std::string& path, std::int64_t position);

    // True when a mark-in is set and the mark-out lies after it: in a later recording, or
    // further on in the same one. Otherwise the export command does nothing.
    bool ExportAllowed() const;
};

} // namespace korvex
