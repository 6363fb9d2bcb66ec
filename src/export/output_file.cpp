#include "export/output_file.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace korvex {

namespace {

// Large enough that a clip is written in few system calls, small beside the clip.
constexpr std::size_t kBufferSize = 1 << 20;

} // namespace

OutputFile::~OutputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool OutputFile::Create(const std::string& path) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    path_ = path;
    error_.clear();
    buffer_.clear();
    buffer_.reserve(kBufferSize);
    flushed_ = 0;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        return Fail("create", errno);
    }
    return true;
}

bool OutputFile::Write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0 || !error_.empty()) {
        return false;
    }
    if (buffer_.size() + bytes.size() > kBufferSize && !Flush()) {
        return false;
    }
    if (bytes.size() >= kBufferSize) {
        if (!WriteAll(flushed_, bytes)) {
            return false;
        }
        flushed_ += static_cast<std::int64_t>(bytes.size());
        return true;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    return true;
}

bool OutputFile::WriteAt(std::int64_t offset, std::span<const std::uint8_t> bytes) {
    if (fd_ < 0 || !error_.empty() || !Flush()) {
        return false;
    }
    return WriteAll(offset, bytes);
}

bool OutputFile::Close() {
    if (fd_ < 0) {
        return true;
    }
    bool ok = Flush();
    // A card pulled or full shows itself only when the written pages reach it; a file system
    // that cannot sync (EINVAL) has nothing to report.
    if (ok && ::fdatasync(fd_) != 0 && errno != EINVAL) {
        ok = Fail("write", errno);
    }
    if (::close(fd_) != 0 && ok) {
        ok = Fail("write", errno);
    }
    fd_ = -1;
    return ok && error_.empty();
}

bool OutputFile::Flush() {
    if (buffer_.empty()) {
        return true;
    }
    if (!WriteAll(flushed_, buffer_)) {
        return false;
    }
    flushed_ += static_cast<std::int64_t>(buffer_.size());
    buffer_.clear();
    return true;
}

bool OutputFile::WriteAll(std::int64_t offset, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            return Fail("write", done < 0 ? errno : ENOSPC);
        }
        bytes = bytes.subspan(static_cast<std::size_t>(done));
        offset += done;
    }
    return true;
}

bool OutputFile::Fail(const char* action, int error) {
    if (error_.empty()) {
        error_ = std::string("cannot ") + action + " " + path_ + ": " +
                 std::system_category().message(error);
    }
    return false;
}

} // namespace korvex
