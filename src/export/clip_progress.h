#pragma once

#include "export/clip_marks.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvex {

// How far an export has come, as a fraction of the bytes between its marks.
//
// One user, one thread (the export's worker).
class ClipProgress {
public:
    // The bytes between the marks of `range` in the recordings of `chain` (from the mark-in one
    // to the mark-out one, as far as they go).
    void Measure(const ClipRange& range, const std::vector<std::string>& chain);

    // The fraction done, 0 to 1, once the recording `path` has been read up to `position`.
    double At(const std::string& path, std::int64_t position);

private:
    struct Stretch {
        std::string path;
        std::int64_t from = 0; // bytes of the recording in the clip
        std::int64_t to = 0;
        std::int64_t before = 0; // clip bytes in the recordings before it
    };

    std::vector<Stretch> stretches_;
    std::int64_t total_ = 0;
    std::size_t current_ = 0; // the stretch found last
    double last_ = 0;
};

} // namespace korvex
