#include "camera/camera_settings_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace korvex {
namespace {

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// A name beside the target that no other writer uses at the same time.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temporary = path;
    temporary.replace_filename("." + path.filename().string() + "." + std::to_string(getpid()) +
                               "." + std::to_string(counter++) + ".tmp");
    return temporary;
}

bool IsReadOnly(const std::filesystem::path& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) == 0;
}

// Makes the rename itself durable; a file system that cannot sync a folder still has the file.
void SyncFolderOf(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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
    const std::filesystem::path temporary = TemporaryPathFor(path);
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const auto bytes = EncodeCameraSettings(settings);
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

} // namespace korvex
