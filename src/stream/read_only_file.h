#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace korvex {

// A recording opened for reading only, with 64-bit positions. Other programs may go on writing,
// renaming or deleting it meanwhile.
//
// One user, one thread.
class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile() { Close(); }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Opens an existing file (closing the one open before); false when it cannot be opened.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // The size when it was opened; 0 when none is open.
    std::int64_t Size() const { return size_; }

    // Reads up to `into.size()` bytes from `offset`; the number of bytes read, 0 at the end,
    // on an error or with no file open.
    std::size_t ReadAt(std::int64_t offset, std::span<std::uint8_t> into) const;

private:
    int fd_ = -1;
    std::int64_t size_ = 0;
};

} // namespace korvex
