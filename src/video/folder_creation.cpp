#include "video/folder_creation.h"

#include <system_error>

namespace korvex {

void CreateFolderFor(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    if (folder.empty()) {
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
}

} // namespace korvex
