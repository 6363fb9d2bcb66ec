#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvex {

// A clip being written: created or replaced, written through a buffer of its own, synced to the
// device when closed, so that a clip reported as complete is on the card. The first failure is
// kept with its reason; every later write then fails as well.
//
// One user, one thread.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile(); // closes without reporting
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file at `path` for writing, replacing one of that name (others may read it
    // meanwhile). Closes a file open before, unreported.
    bool Create(const std::string& path);
    bool IsOpen() const { return fd_ >= 0; }

    // Appends `bytes`. False on a failure now or before.
    bool Write(std::span<const std::uint8_t> bytes);
    // Overwrites bytes already written (a header completed at the end).
    bool WriteAt(std::int64_t offset, std::span<const std::uint8_t> bytes);
    // The size of the file with everything written so far.
    std::int64_t Position() const { return flushed_ + static_cast<std::int64_t>(buffer_.size()); }

    // Writes what is buffered, syncs and closes. False when any write, the sync or the close
    // failed. Does nothing (true) when no file is open.
    bool Close();

    // "cannot write PATH: reason" for the first failure; empty while there was none.
    const std::string& Error() const { return error_; }
    const std::string& Path() const { return path_; }

private:
    bool Flush();
    bool WriteAll(std::int64_t offset, std::span<const std::uint8_t> bytes);
    bool Fail(const char* action, int error);

    int fd_ = -1;
    std::string path_;
    std::vector<std::uint8_t> buffer_; // bytes after `flushed_`, not yet written
    std::int64_t flushed_ = 0;
    std::string error_;
};

} // namespace korvex
