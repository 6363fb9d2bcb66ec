#pragma once

#include <cstdint>
#include <string>

namespace korvex {

// One recording of a folder, as the list shows it.
struct RecordingEntry {
    int number = -1;             // from the file name (NumberOf); -1 when it carries none
    std::string path;            // the folder as given, then the file name
    std::int64_t start_time = 0; // seconds since 1970 (UTC): end time minus the length
    std::int64_t end_time = 0;   // the file's modification time, seconds since 1970 (UTC)
    int read_only = 0;           // 1 when the owner may not write the file
};

// The entry for the file at `path`: its number, times and read-only flag.
RecordingEntry MakeRecordingEntry(const std::string& path);

} // namespace korvex
