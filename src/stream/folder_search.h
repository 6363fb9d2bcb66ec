#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// Whether `name` matches `pattern`, where '*' stands for any run of characters and '?' for any
// one, letters compared without regard to case (ASCII), as the cameras' file systems compare
// names.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

enum class EntryKind { kFile, kFolder };

// The names of the entries of `folder` of the given kind that match `pattern`, in the order the
// file system lists them; empty when the folder cannot be listed. A symbolic link counts as what
// it points to.
std::vector<std::string> FindMatching(const std::string& folder, std::string_view pattern,
                                      EntryKind kind);

} // namespace korvex
