#pragma once

#include <cstdint>
#include <string>

namespace korvex {

// The stretch the clip export copies: from a byte position of the mark-in recording to one of
// the mark-out recording. Recordings are told apart by their paths, compared as exact text.
struct ClipRange {
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

// One end of the stretch: a recording and the reader's byte position in it when the mark was
// set.
struct ClipMark {
    int number = -1; // the recording's number (NumberOf); -1 when its name carries none
    std::string path;
    std::int64_t position = -1; // -1: not set
};

// The mark-in and the mark-out point the user has set. One user, one thread (the channel's on
// the user-interface thread).
struct ClipMarks {
    ClipMark in;
    ClipMark out;

    // A new mark-in point; an earlier mark-out no longer counts (its number and position are
    // cleared, its path stays), so an export needs a new one.
    void MarkIn(const std::string& path, std::int64_t position);
    // A new mark-out point; the mark-in point stays.
    void MarkOut(const std::string& path, std::int64_t position);

    // True when a mark-in is set and the mark-out lies after it: in a later recording (by
    // number), or further on in the same one. Otherwise nothing is exported.
    bool ExportAllowed() const;

    ClipRange Range() const { return {in.path, in.position, out.path, out.position}; }
};

} // namespace korvex
