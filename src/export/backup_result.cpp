#include "export/backup_result.h"

namespace korvex {

std::string FinishText(const BackupResult& result,
                       const std::function<std::string(std::string_view)>& translate) {
    const std::string written = " (" + std::to_string(result.bytes_written) + " bytes written)";
    switch (result.outcome) {
    case BackupOutcome::kFinished:
        return result.output_path + " " + translate("Finish Backup");
    case BackupOutcome::kIncomplete:
        return result.output_path + " " +
               translate("Backup incomplete: the recordings end before the mark-out point") +
               written;
    case BackupOutcome::kFailed:
        return result.output_path + " " + translate("Backup failed") + ": " + result.error;
    case BackupOutcome::kStopped:
        return result.output_path + " " + translate("Backup stopped") + written;
    case BackupOutcome::kRunning:
        break;
    }
    return {};
}

} // namespace korvex
