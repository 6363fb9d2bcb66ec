#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvex {

// The number of a recording from its path: the decimal digits between the last underscore and
// the last dot ("REC_0012.ts" is 12). -1 when the path has no such digits, when the underscore
// is the first character, or when the number is too large for an int.
int NumberOf(std::string_view path);

// The folder part of a path, up to and including its last '/'; empty when it has none.
std::string FolderOf(std::string_view path);

// The path of the recording numbered one less (PreviousOf) or one more (NextOf) than `path`,
// in the same folder: the first file, in the order the folder lists them, whose name matches
// "*<number>.ts". Zero-padded names match ("*13.ts" finds REC_0013.ts), and so does any other
// name ending in the same digits. Empty when `path` has no number or nothing matches. The
// folder is searched afresh every time, so recordings added later are found.
std::string PreviousOf(std::string_view path);
std::string NextOf(std::string_view path);

// The recordings of one folder as listed once, so that many lookups cost one listing.
class RecordingFolder {
public:
    // Lists the ".ts" files of `folder` (a path up to and including its last '/').
    explicit RecordingFolder(std::string folder);

    // PreviousOf (step -1) or NextOf (step +1) of `path` in this listing.
    std::string NeighbourOf(std::string_view path, int step) const;

private:
    std::string folder_;
    std::vector<std::string> names_;                // in the order the folder lists them
    std::unordered_map<int, std::size_t> numbered_; // number -> first name carrying it
};

// The recordings from `first` on by the next-recording rule, up to and with `last` or as far as
// they go, from one listing of the folder of `first`.
std::vector<std::string> RecordingChain(const std::string& first, const std::string& last);

} // namespace korvex
