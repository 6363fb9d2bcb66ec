#include "export/output_file.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace korvex {

namespace {

// Large enough that a clip is written in few system calls, small beside the clip.
constexpr std::size_t kBufferSize = 1 << 20;

} // namespace

bool OutputFile::Create(const std::string& path) {
    path_ = path;
    error_.clear();
    buffer_.clear();
    buffer_.reserve(kBufferSize);
    flushed_ = 0;
    if (const std::error_code error = file_.Create(path)) {
        return Fail("create", error);
    }
    return true;
}

bool OutputFile::Write(std::span<const std::uint8_t> bytes) {
    if (!IsOpen() || !error_.empty()) {
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
    if (!IsOpen() || !error_.empty() || !Flush()) {
        return false;
    }
    return WriteAll(offset, bytes);
}

bool OutputFile::Close() {
    if (!IsOpen()) {
        return true;
    }
    if (!Flush() || !error_.empty()) {
        file_.Discard();
        return false;
    }
    if (const std::error_code error = file_.Commit()) {
        return Fail("write", error);
    }
    return true;
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
        const ssize_t done =
            ::pwrite(file_.Descriptor(), bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            return Fail("write",
                        std::error_code(done < 0 ? errno : ENOSPC, std::system_category()));
        }
        bytes = bytes.subspan(static_cast<std::size_t>(done));
        offset += done;
    }
    return true;
}

bool OutputFile::Fail(const char* action, std::error_code error) {
    if (error_.empty()) {
        error_ = std::string("cannot ") + action + " " + path_ + ": " + error.message();
    }
    return false;
}

} // namespace korvex
