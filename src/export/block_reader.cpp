#include "export/block_reader.h"

#include "stream/scan_buffer.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace korvex {

namespace {

// A whole number of blocks, so that every read starts on a block boundary.
constexpr std::size_t kReadAhead = 64 * ScanBuffer::kBlockSize;

std::string Reason(int error) {
    return error != 0 ? std::system_category().message(error) : "read error";
}

} // namespace

BlockReader::BlockReader() : ahead_(std::make_unique_for_overwrite<std::uint8_t[]>(kReadAhead)) {}

bool BlockReader::Open(const std::string& path) {
    Close();
    path_ = path;
    errno = 0;
    if (!file_.Open(path)) {
        error_ = "cannot open " + path + ": " +
                 (errno != 0 ? Reason(errno) : std::string("not a regular file"));
        return false;
    }
    return true;
}

void BlockReader::Close() {
    file_.Close();
    ahead_filled_ = ahead_used_ = 0;
    position_ = 0;
    error_.clear();
}

std::span<const std::uint8_t> BlockReader::Next() {
    if (ahead_used_ == ahead_filled_) {
        errno = 0;
        ahead_filled_ = file_.ReadAt(position_, {ahead_.get(), kReadAhead});
        ahead_used_ = 0;
        // Nothing before the size the file had when opened is an error, not its end.
        if (ahead_filled_ == 0 && position_ < file_.Size() && error_.empty()) {
            error_ = "cannot read " + path_ + ": " + Reason(errno);
        }
    }
    const std::size_t length = std::min(ScanBuffer::kBlockSize, ahead_filled_ - ahead_used_);
    const std::span<const std::uint8_t> block{ahead_.get() + ahead_used_, length};
    ahead_used_ += length;
    position_ += static_cast<std::int64_t>(length);
    return block;
}

} // namespace korvex
