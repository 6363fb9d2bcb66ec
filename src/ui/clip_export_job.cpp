#include "ui/clip_export_job.h"

#include "export/ts_backup.h"

#include <filesystem>

namespace korvex {

ClipExportJob::ClipExportJob(MessageSink* sink) : sink_(sink) {}

ClipExportJob::~ClipExportJob() {
    StopAndDiscard();
}

void ClipExportJob::StopAndDiscard() {
    if (!worker_) {
        return;
    }
    worker_->Stop();
    // The worker keeps what a stopped export had written, under the chosen name; nobody asked
    // for that part of the clip, and it would pass for the whole one.
    if (const BackupResult ended = worker_->Result(); ended.outcome == BackupOutcome::kStopped) {
        std::error_code ignored;
        std::filesystem::remove(ended.output_path, ignored);
    }
    worker_.reset();
    running_ = false;
}

bool ClipExportJob::Start(const ClipExportRequest& request) {
    StopAndDiscard();
    worker_ = std::make_unique<CTSBackup>(sink_);
    result_.reset();
    thousandths_ = 0;
    running_ = true;
    return worker_->Begin(request.output_path, request.frame_rate, request.width, request.height,
                          request.range.in_path, request.range.in_position, request.range.out_path,
                          request.range.out_position);
}

bool ClipExportJob::Take(const Message& message) {
    if (!worker_ || message.lparam != worker_->Id()) {
        return false;
    }
    if (message.id == kMessageExportProgress) {
        thousandths_ = static_cast<int>(message.wparam);
    } else if (message.id == kMessageExportFinished) {
        running_ = false;
        result_ = worker_->Result();
    } else {
        return false;
    }
    return true;
}

} // namespace korvex
