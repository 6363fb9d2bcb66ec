#include "camera/camera_settings_file.h"

#include "app/atomic_file.h"

#include <fstream>
#include <sys/stat.h>

namespace korvex {
namespace {

bool IsReadOnly(const std::filesystem::path& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) == 0;
}

} // namespace

bool ReadCameraSettings(const std::filesystem::path& path, CameraSettings& settings) {
    std::ifstream in(path, std::ios::binary);
    std::uint8_t bytes[kCameraSettingsSize];
    in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    const auto decoded =
        DecodeCameraSettings(std::span(bytes, static_cast<std::size_t>(in.gcount())));
    if (!decoded) {
        return false;
    }
    settings = *decoded;
    return true;
}

bool WriteCameraSettings(const std::filesystem::path& path, const CameraSettings& settings) {
    if (IsReadOnly(path)) {
        return false;
    }
    const auto bytes = EncodeCameraSettings(settings);
    return !WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace korvex
