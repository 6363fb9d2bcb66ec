#include "stream/recording_lookup.h"

#include "stream/folder_search.h"

#include <algorithm>
#include <charconv>

namespace korvex {

namespace {

std::string NumberedNeighbour(std::string_view path, int step) {
    const int number = NumberOf(path);
    if (number < 0) {
        return {};
    }
    const std::string folder = FolderOf(path);
    // 64-bit, so that the number after the largest one has no overflow.
    const std::int64_t wanted = std::int64_t{number} + step;
    const std::string pattern = "*" + std::to_string(wanted) + ".ts";
    const std::vector<std::string> names = FindMatching(folder, pattern, EntryKind::kFile);
    if (names.empty()) {
        return {};
    }
    // The pattern also matches names that only end in the same digits (REC_0012.ts for 2), and
    // this file system lists in no particular order: a name with the very number comes first.
    const auto exact = std::ranges::find_if(
        names, [&](const std::string& name) { return NumberOf(name) == wanted; });
    return folder + (exact != names.end() ? *exact : names.front());
}

} // namespace

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
    return NumberedNeighbour(path, -1);
}

std::string NextOf(std::string_view path) {
    return NumberedNeighbour(path, +1);
}

} // namespace korvex
