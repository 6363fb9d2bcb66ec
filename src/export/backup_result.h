#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace korvex {

// The messages of the clip export, posted to the play-control panel; lparam is the export's
// Id(), so that the panel can tell them from those of an export it has replaced.
inline constexpr int kMessageExportProgress = 1140; // wparam: thousandths of the clip done
inline constexpr int kMessageExportFinished = 1141; // wparam: the BackupOutcome

enum class BackupOutcome {
    kRunning = 0,    // not finished yet
    kFinished = 1,   // the clip is complete: "Finish Backup"
    kIncomplete = 2, // the recordings ended before the mark-out point; the clip holds what
                     // there was
    kFailed = 3,     // the clip could not be written completely; `error` says why
    kStopped = 4,    // stopped by its owner (deleted or Stop) before the end
};

// How an export ended, for the user.
struct BackupResult {
    BackupOutcome outcome = BackupOutcome::kRunning;
    std::string output_path;
    std::string error; // for kFailed: "cannot write PATH: reason"
    std::int64_t bytes_written = 0;
    int video_frames = 0; // AVI clips
};

// The text the user sees when an export has ended, each fixed English text through `translate`
// (on the user-interface thread): "OUTPUT Finish Backup" for a complete clip, otherwise what
// went wrong, with the file and the reason.
std::string FinishText(const BackupResult& result,
                       const std::function<std::string(std::string_view)>& translate);

} // namespace korvex
