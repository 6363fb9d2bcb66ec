#include "ui/clip_export_job.h"

#include "export/ts_backup.h"

namespace korvex {

ClipExportJob::ClipExportJob(MessageSink* sink) : sink_(sink) {}

ClipExportJob::~ClipExportJob() = default;

bool ClipExportJob::Start(const ClipExportRequest& request) {
    worker_.reset();
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
