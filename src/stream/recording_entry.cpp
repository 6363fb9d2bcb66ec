#include "stream/recording_entry.h"

#include "stream/recording_length.h"
#include "stream/recording_lookup.h"

#include <sys/stat.h>

namespace korvex {

RecordingEntry MakeRecordingEntry(const std::string& path) {
    RecordingEntry entry;
    entry.number = NumberOf(path);
    entry.path = path;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        entry.end_time = info.st_mtime;
        // The card's read-only attribute reaches Linux as a missing owner write bit.
        entry.read_only = (info.st_mode & S_IWUSR) == 0 ? 1 : 0;
    }
    entry.start_time = entry.end_time - LengthOf(path);
    return entry;
}

} // namespace korvex
