#include "video/snapshot_name.h"

#include <cstdio>

namespace korvex {

std::string SnapshotBasePath(std::string_view folder, std::time_t when, int image_type) {
    std::tm local{};
    localtime_r(&when, &local);
    char name[64] = {};
    std::strftime(name, sizeof name, "%Y-%m-%d %H-%M-%S", &local);
    const std::string joined =
        std::string(folder) + "/" + name + (image_type != 0 ? ".jpg" : ".bmp");
    std::string path;
    for (char c : joined) {
        if (c != '/' || path.empty() || path.back() != '/') {
            path += c;
        }
    }
    return path;
}

std::string SnapshotShotPath(std::string_view base_path, int index) {
    constexpr size_t kExtension = 4; // ".bmp", ".jpg"
    const size_t split = base_path.size() >= kExtension ? base_path.size() - kExtension : 0;
    char number[16] = {};
    std::snprintf(number, sizeof number, "--%03d", index + 1);
    return std::string(base_path.substr(0, split)) + number + std::string(base_path.substr(split));
}

int SnapshotShotCount(int continuous_shooting_count) {
    return continuous_shooting_count >= 1 ? continuous_shooting_count : 1;
}

} // namespace korvex
