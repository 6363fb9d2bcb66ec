#include "export/clip_progress.h"

#include "stream/recording_lookup.h"

#include <algorithm>
#include <filesystem>

namespace korvex {

namespace {

// More recordings than a card holds: a folder whose names keep matching ends the walk here.
constexpr std::size_t kMostRecordings = 100000;

std::int64_t SizeOf(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::int64_t>(size);
}

} // namespace

void ClipProgress::Measure(const ClipMarks& marks) {
    stretches_.clear();
    total_ = 0;
    current_ = 0;
    last_ = 0;
    for (std::string path = marks.in_path; !path.empty() && stretches_.size() < kMostRecordings;
         path = NextOf(path)) {
        const std::int64_t size = SizeOf(path);
        Stretch stretch{path, 0, size, total_};
        if (path == marks.in_path) {
            stretch.from = std::clamp<std::int64_t>(marks.in_position, 0, size);
        }
        if (path == marks.out_path) {
            stretch.to = std::clamp<std::int64_t>(marks.out_position, stretch.from, size);
        }
        total_ += stretch.to - stretch.from;
        stretches_.push_back(stretch);
        if (path == marks.out_path) {
            break;
        }
    }
}

double ClipProgress::At(const std::string& path, std::int64_t position) {
    if (current_ >= stretches_.size() || stretches_[current_].path != path) {
        const auto found = std::find_if(stretches_.begin(), stretches_.end(),
                                        [&](const Stretch& s) { return s.path == path; });
        if (found == stretches_.end()) {
            return last_; // a recording added to the folder since: no step back
        }
        current_ = static_cast<std::size_t>(found - stretches_.begin());
    }
    if (total_ <= 0) {
        return last_;
    }
    const Stretch& stretch = stretches_[current_];
    const std::int64_t done =
        stretch.before + std::clamp(position, stretch.from, stretch.to) - stretch.from;
    last_ = static_cast<double>(done) / static_cast<double>(total_);
    return last_;
}

} // namespace korvex
