#pragma once

#include "stream/read_only_file.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace korvex {

// Reads a recording forward from its start in the 8192-byte blocks of the stream readers, so
// that block boundaries fall on the same file offsets, but fetches many blocks at a time.
//
// One user, one thread.
class BlockReader {
public:
    BlockReader();

    // Opens the recording (closing the one before); false, with Error(), when it cannot be.
    bool Open(const std::string& path);
    void Close();

    // The next block, at most 8192 bytes; empty at the end of the file, or when a read failed
    // (then Failed()).
    std::span<const std::uint8_t> Next();
    // The offset just after the last block.
    std::int64_t Position() const { return position_; }

    // Reads bytes anywhere in the file without moving Position(); the number read.
    std::size_t ReadAt(std::int64_t offset, std::span<std::uint8_t> into) const {
        return file_.ReadAt(offset, into);
    }

    bool Failed() const { return !error_.empty(); }
    // "cannot open PATH: reason" or "cannot read PATH: reason"; empty while all is well.
    const std::string& Error() const { return error_; }

private:
    ReadOnlyFile file_;
    std::string path_;
    std::unique_ptr<std::uint8_t[]> ahead_; // blocks read ahead
    std::size_t ahead_filled_ = 0;
    std::size_t ahead_used_ = 0;
    std::int64_t position_ = 0;
    std::string error_;
};

} // namespace korvex
