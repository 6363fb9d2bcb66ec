#include "stream/folder_search.h"

#include <filesystem>

namespace korvex {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    // Greedy with one back-track point: the latest '*' absorbs one more character on a mismatch.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string_view::npos;
    std::size_t star_n = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            star_n = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++star_n;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::vector<std::string> FindMatching(const std::string& folder, std::string_view pattern,
                                      EntryKind kind) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!MatchesWildcard(pattern, name)) {
            continue;
        }
        std::error_code ignored;
        const bool wanted =
            kind == EntryKind::kFolder ? it->is_directory(ignored) : it->is_regular_file(ignored);
        if (wanted) {
            names.push_back(name);
        }
    }
    return names;
}

} // namespace korvex
