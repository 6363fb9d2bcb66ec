#include "app/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
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

std::error_code ReplacementFile::Create(const std::filesystem::path& path) {
    Discard();
    path_ = path;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    fd_ = CreateTemporaryBeside(path, temporary_);
    return fd_ < 0 ? LastError() : std::error_code();
}

std::error_code ReplacementFile::Commit() {
    if (fd_ < 0) {
        return std::make_error_code(std::errc::bad_file_descriptor);
    }
    struct stat old_file {};
    const bool replaces = ::stat(path_.c_str(), &old_file) == 0;
    std::error_code error;
    // A file system that cannot sync (EINVAL) has nothing to report.
    if ((replaces && ::fchmod(fd_, old_file.st_mode & 07777) != 0) ||
        (::fsync(fd_) != 0 && errno != EINVAL)) {
        error = LastError();
    }
    if (::close(fd_) != 0 && !error) {
        error = LastError();
    }
    fd_ = -1;
    if (!error && ::rename(temporary_.c_str(), path_.c_str()) != 0) {
        error = LastError();
    }
    if (error) {
        ::unlink(temporary_.c_str());
        return error;
    }
    // Make the rename itself durable.
    const std::string folder = path_.has_parent_path() ? path_.parent_path().string() : ".";
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

void ReplacementFile::Discard() {
    if (fd_ < 0) {
        return;
    }
    ::close(fd_);
    fd_ = -1;
    ::unlink(temporary_.c_str());
}

std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    ReplacementFile file;
    if (const std::error_code error = file.Create(path)) {
        return error;
    }
    if (!WriteAll(file.Descriptor(), bytes)) {
        const std::error_code error = LastError();
        file.Discard();
        return error;
    }
    return file.Commit();
}

} // namespace korvex
