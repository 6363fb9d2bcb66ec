#include "engine/clip_marks.h"

#include "stream/recording_lookup.h"

namespace korvex {

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
