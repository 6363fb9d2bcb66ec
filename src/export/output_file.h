#pragma once

#include "app/atomic_file.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvex {

// A clip being written through a buffer of its own. It is written under a temporary name beside
// the chosen one and takes that name only when closed (synced to the device, so that a clip
// reported as complete is on the card): a file of the chosen name stays whole until then, and
// stays as it was when the clip is discarded. The first failure is kept with its reason; every
// later write then fails as well.
//
// One user, one thread.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile() = default; // discards a clip that was not closed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the clip that is to replace the file at `path`. Discards a clip open before.
    bool Create(const std::string& path);
    bool IsOpen() const { return file_.IsOpen(); }

    // Appends `bytes`. False on a failure now or before.
    bool Write(std::span<const std::uint8_t> bytes);
    // Overwrites bytes already written (a header completed at the end).
    bool WriteAt(std::int64_t offset, std::span<const std::uint8_t> bytes);
    // The size of the file with everything written so far.
    std::int64_t Position() const { return flushed_ + static_cast<std::int64_t>(buffer_.size()); }

    // Writes what is buffered, syncs, closes and gives the clip its name. False when any write,
    // the sync, the close or the renaming failed; the file of that name is then left as it was.
    // Does nothing (true) when no clip is open.
    bool Close();
    // Drops the clip; the file of its name is left as it was.
    void Discard() { file_.Discard(); }

    // "cannot write PATH: reason" for the first failure; empty while there was none.
    const std::string& Error() const { return error_; }
    const std::string& Path() const { return path_; }

private:
    bool Flush();
    bool WriteAll(std::int64_t offset, std::span<const std::uint8_t> bytes);
    bool Fail(const char* action, std::error_code error);

    ReplacementFile file_;
    std::string path_;
    std::vector<std::uint8_t> buffer_; // bytes after `flushed_`, not yet written
    std::int64_t flushed_ = 0;
    std::string error_;
};

} // namespace korvex
