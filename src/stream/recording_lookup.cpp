#include "stream/recording_lookup.h"

#include "stream/folder_search.h"

#include <charconv>
#include <limits>

namespace korvex {

int NumberOf(std::string_view path) {
    const std::size_t underscore = path.rfind('_');
    const std::size_t dot = path.rfind('.');
    if (underscore == std::string_view::npos || underscore == 0 || dot == std::string_view::npos ||
        dot == 0 || dot <= underscore + 1) {
        return -1;
    }
    const std::string_view digits = path.substr(underscore + 1, dot - underscore - 1);
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return -1;
        }
    }
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return -1;
    }
    return number;
}

std::string FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string PreviousOf(std::string_view path) {
    return RecordingFolder(FolderOf(path)).NeighbourOf(path, -1);
}

std::string NextOf(std::string_view path) {
    return RecordingFolder(FolderOf(path)).NeighbourOf(path, +1);
}

RecordingFolder::RecordingFolder(std::string folder)
    : folder_(std::move(folder)), names_(FindMatching(folder_, "*.ts", EntryKind::kFile)) {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        numbered_.try_emplace(NumberOf(names_[i]), i);
    }
}

std::string RecordingFolder::NeighbourOf(std::string_view path, int step) const {
    const int number = NumberOf(path);
    if (number < 0) {
        return {};
    }
    // 64-bit, so that the number after the largest one has no overflow.
    const std::int64_t wanted = std::int64_t{number} + step;
    // The pattern also matches names that only end in the same digits (REC_0012.ts for 2), and
    // this file system lists in no particular order: a name with the very number comes first.
    if (wanted >= 0 && wanted <= std::numeric_limits<int>::max()) {
        if (const auto exact = numbered_.find(static_cast<int>(wanted)); exact != numbered_.end()) {
            return folder_ + names_[exact->second];
        }
    }
    const std::string pattern = "*" + std::to_string(wanted) + ".ts";
    for (const std::string& name : names_) {
        if (MatchesWildcard(pattern, name)) {
            return folder_ + name;
        }
    }
    return {};
}

std::vector<std::string> RecordingChain(const std::string& first, const std::string& last) {
    const RecordingFolder folder(FolderOf(first));
    std::vector<std::string> chain;
    for (std::string path = first; !path.empty(); path = folder.NeighbourOf(path, +1)) {
        chain.push_back(path);
        if (path == last) {
            break;
        }
    }
    return chain;
}

} // namespace korvex
