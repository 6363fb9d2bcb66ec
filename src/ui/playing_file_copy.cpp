#include "ui/playing_file_copy.h"

#include "app/atomic_file.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace korvex {

namespace {

std::string Failure(const char* what, const std::filesystem::path& path, std::error_code error) {
    return std::string(what) + " " + path.string() + ": " + error.message();
}

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// Writes all of `bytes` to `fd`, retrying interrupted and short writes.
std::error_code WriteAll(int fd, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LastError();
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

class ReadFile {
public:
    explicit ReadFile(const std::filesystem::path& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ReadFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    ReadFile(const ReadFile&) = delete;
    ReadFile& operator=(const ReadFile&) = delete;
    int Descriptor() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::string CopyPlayingFile(const std::filesystem::path& source,
                            const std::filesystem::path& target) {
    std::error_code error;
    if (std::filesystem::equivalent(source, target, error)) {
        return "cannot copy " + source.string() + " onto itself";
    }
    const ReadFile input(source);
    if (input.Descriptor() < 0) {
        return Failure("cannot read", source, LastError());
    }
    ReplacementFile output;
    if (error = output.Create(target); error) {
        return Failure("cannot write", target, error);
    }
    std::array<char, 1 << 16> buffer;
    for (;;) {
        const ssize_t got = ::read(input.Descriptor(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Failure("cannot read", source, LastError());
        }
        if (got == 0) {
            break;
        }
        if (error = WriteAll(output.Descriptor(), buffer.data(), static_cast<std::size_t>(got));
            error) {
            return Failure("cannot write", target, error);
        }
    }
    if (error = output.Commit(); error) {
        return Failure("cannot write", target, error);
    }
    return {};
}

} // namespace korvex
