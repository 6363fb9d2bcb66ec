#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace korvex {

// A new file that takes the place of the one at a path only once it is complete: it is written
// under a temporary name in the same folder, flushed to the device and renamed over the old
// one, so that a crash, a pulled card or a failure leaves either the old file or the new one,
// never a truncated mix. A new file gets the mode 0666 less the umask; a replaced file keeps its
// mode. The temporary name ends in neither ".ts" nor any other extension of the final name.
//
// One user, one thread.
class ReplacementFile {
public:
    ReplacementFile() = default;
    ~ReplacementFile() { Discard(); }
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the temporary file beside `path` (discarding one created before). A folder at
    // `path` is refused at once (EISDIR) rather than when the file is complete.
    std::error_code Create(const std::filesystem::path& path);
    bool IsOpen() const { return fd_ >= 0; }
    // Where the new file's bytes go; -1 when none is open.
    int Descriptor() const { return fd_; }

    // Syncs the new file, renames it over the path and syncs the folder. On an error the
    // temporary file is removed and a file at the path is left as it was.
    std::error_code Commit();
    // Closes and removes the temporary file; a file at the path is left as it was.
    void Discard();

private:
    int fd_ = -1;
    std::filesystem::path path_;
    std::string temporary_;
};

// Replaces the file at `path` with `bytes` through a ReplacementFile. Returns an empty
// error_code on success.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace korvex
