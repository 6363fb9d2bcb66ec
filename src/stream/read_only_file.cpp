#include "stream/read_only_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvex {

bool ReadOnlyFile::Open(const std::string& path) {
    Close();
    // Non-blocking, so that a named pipe cannot hold the open; regular files ignore it.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        Close();
        return false;
    }
    size_ = info.st_size;
    return true;
}

void ReadOnlyFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    size_ = 0;
}

std::size_t ReadOnlyFile::ReadAt(std::int64_t offset, std::span<std::uint8_t> into) const {
    std::size_t done = 0;
    while (fd_ >= 0 && offset >= 0 && done < into.size()) {
        const ssize_t got = ::pread(fd_, into.data() + done, into.size() - done,
                                    static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

} // namespace korvex
