#include "camera/card_volume.h"

#include <algorithm>

namespace korvex {

namespace {

std::filesystem::path Resolved(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path.lexically_normal() : resolved;
}

bool LiesUnder(const std::filesystem::path& path, const std::filesystem::path& folder) {
    const auto [folder_end, path_at] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    // A trailing separator shows as a last empty component.
    return folder_end == folder.end() ||
           (std::next(folder_end) == folder.end() && folder_end->empty());
}

} // namespace

std::string VolumeHolding(const std::filesystem::path& path,
                          const std::vector<std::string>& mount_points) {
    const std::filesystem::path resolved = Resolved(path);
    std::string holder;
    std::size_t depth = 0;
    for (const std::string& point : mount_points) {
        const std::filesystem::path folder = Resolved(point);
        const auto folder_depth =
            static_cast<std::size_t>(std::distance(folder.begin(), folder.end()));
        if (LiesUnder(resolved, folder) && (holder.empty() || folder_depth > depth)) {
            holder = point;
            depth = folder_depth;
        }
    }
    return holder;
}

std::string WhyNotFormattable(const std::string& mount_point,
                              const std::vector<std::string>& removable,
                              const std::filesystem::path& home) {
    if (std::find(removable.begin(), removable.end(), mount_point) == removable.end()) {
        return "it is not a removable volume";
    }
    const std::filesystem::path folder = Resolved(mount_point);
    // Mount points come from the mount table, so the volume that holds a folder is the one
    // mounted on it or above it: a system started from a memory stick lists "/" itself.
    if (folder == "/") {
        return "it holds the system's root file system";
    }
    if (!home.empty() && LiesUnder(Resolved(home), folder)) {
        return "it holds the home folder";
    }
    return {};
}

} // namespace korvex
