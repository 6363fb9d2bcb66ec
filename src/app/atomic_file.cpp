#include "app/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace korvex {

namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// A name of its own in the same folder, created exclusively; the umask applies to its mode.
int CreateTemporaryBeside(const std::filesystem::path& path, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path.string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                    std::to_string(counter.fetch_add(1));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

} // namespace

std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, temporary);
    if (fd < 0) {
        return LastError();
    }
    struct stat old_file {};
    const bool replaces = ::stat(path.c_str(), &old_file) == 0;

    std::error_code error;
    if (!WriteAll(fd, bytes) || (replaces && ::fchmod(fd, old_file.st_mode & 07777) != 0) ||
        ::fsync(fd) != 0) {
        error = LastError();
    }
    if (::close(fd) != 0 && !error) {
        error = LastError();
    }
    if (!error && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = LastError();
    }
    if (error) {
        ::unlink(temporary.c_str());
        return error;
    }
    // Make the rename itself durable.
    const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

} // namespace korvex
