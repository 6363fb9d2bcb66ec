#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace korvex {

// What emptying a card left behind.
struct ClearReport {
    std::size_t entries_left = 0; // files and folders that could not be deleted
    std::string first_failure;    // the first of them and why, for the user

    bool Succeeded() const { return entries_left == 0; }
};

// Deletes everything inside the folder `mount_point` and keeps the folder itself. Symbolic links
// are deleted as links and never followed; a file system mounted inside the card, and a folder
// without its owner's write permission (how the card's read-only attribute shows), keep their
// content and count as left behind. A failed deletion does not stop the walk. Nothing outside
// `mount_point` is touched. User-interface thread; blocks until the walk is done.
ClearReport ClearCard(const std::filesystem::path& mount_point);

} // namespace korvex
