#pragma once

#include "app/message_sink.h"
#include "export/backup_result.h"
#include "export/clip_marks.h"

#include <memory>
#include <optional>
#include <string>

namespace korvex {

class CTSBackup;

// What an export is started with: the output, the pictures' rate and size, and the marks.
struct ClipExportRequest {
    std::string output_path;
    int frame_rate = 0;
    int width = 0;
    int height = 0;
    ClipRange range;
};

// The panel's clip export: one export worker at a time, the progress and end messages of the
// one running told from those of one it replaced. User-interface thread only.
class ClipExportJob {
public:
    explicit ClipExportJob(MessageSink* sink);
    // Stops a running export and removes the part of its clip written so far.
    ~ClipExportJob();
    ClipExportJob(const ClipExportJob&) = delete;
    ClipExportJob& operator=(const ClipExportJob&) = delete;

    // Stops an earlier export (as the destructor does), then starts this one. False when it could
    // not start; its finish message still follows.
    bool Start(const ClipExportRequest& request);

    // Takes a panel message: true when it was this export's. Progress and end are then up to
    // date.
    bool Take(const Message& message);

    bool IsRunning() const { return running_; }
    // Thousandths of the clip done.
    int Thousandths() const { return thousandths_; }
    // Once the export has ended: how.
    std::optional<BackupResult> Result() const { return result_; }

private:
    void StopAndDiscard();

    MessageSink* const sink_;
    std::unique_ptr<CTSBackup> worker_;
    bool running_ = false;
    int thousandths_ = 0;
    std::optional<BackupResult> result_;
};

} // namespace korvex
