#include "export/clip_marks.h"

#include "stream/recording_lookup.h"

namespace korvex {

bool ClipRange::Inside(const std::string& path, std::int64_t position) const {
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

bool ClipRange::PastEnd(const std::string& path, std::int64_t position) const {
    return path == out_path && position > out_position;
}

void ClipMarks::MarkIn(const std::string& path, std::int64_t position) {
    in = {NumberOf(path), path, position};
    out.number = -1;
    out.position = -1;
}

void ClipMarks::MarkOut(const std::string& path, std::int64_t position) {
    out = {NumberOf(path), path, position};
}

bool ClipMarks::ExportAllowed() const {
    const bool out_after_in =
        in.number < out.number || (in.number == out.number && in.position < out.position);
    return out_after_in && in.position >= 0;
}

} // namespace korvex
