#include "export/clip_marks.h"

#include "stream/recording_lookup.h"

namespace korvex {

bool ClipMarks::Inside(const std::string& path, std::int64_t position) const {
    const bool in = path == in_path;
    const bool out = path == out_path;
    if (in && out) {
        return in_position < position && position < out_position;
    }
    if (in) {
        return position > in_position;
    }
    if (out) {
        return position < out_position;
    }
    return true;
}

bool ClipMarks::PastEnd(const std::string& path, std::int64_t position) const {
    return path == out_path && position > out_position;
}

bool MarksMakeClip(const ClipMarks& marks) {
    const int in = NumberOf(marks.in_path);
    const int out = NumberOf(marks.out_path);
    return marks.in_position >= 0 &&
           (in < out || (in == out && marks.in_position < marks.out_position));
}

} // namespace korvex
