#include "export/clip_progress.h"

#include <algorithm>
#include <filesystem>

namespace korvex {

namespace {

std::int64_t SizeOf(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::int64_t>(size);
}

} // namespace

void ClipProgress::Measure(const ClipRange& range, const std::vector<std::string>& chain) {
    stretches_.clear();
    total_ = 0;
    current_ = 0;
    last_ = 0;
    for (const std::string& path : chain) {
        const std::int64_t size = SizeOf(path);
        Stretch stretch{path, 0, size, total_};
        if (path == range.in_path) {
            stretch.from = std::clamp<std::int64_t>(range.in_position, 0, size);
        }
        if (path == range.out_path) {
            stretch.to = std::clamp<std::int64_t>(range.out_position, stretch.from, size);
        }
        total_ += stretch.to - stretch.from;
        stretches_.push_back(stretch);
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
