#include "export_run.h"

#include "export/ts_backup.h"

#include <gtest/gtest.h>

namespace korvex::test {

ExportRun RunExport(const std::string& output, const ClipRange& marks,
                    const ClipPictures& pictures) {
    RecordingMessageSink sink;
    ExportRun run;
    CTSBackup backup(&sink);
    run.begun = backup.Begin(output, pictures.frame_rate, pictures.width, pictures.height,
                             marks.in_path, marks.in_position, marks.out_path, marks.out_position);
    run.avi_mode = backup.IsAviMode();
    EXPECT_TRUE(sink.WaitUntil([](const std::vector<RecordingMessageSink::Record>& records) {
        for (const auto& record : records) {
            if (record.message.id == kMessageExportFinished) {
                return true;
            }
        }
        return false;
    })) << "no finish message for "
        << output;
    backup.Stop();
    run.result = backup.Result();
    CollectMessages(sink, backup.Id(), run);
    run.text = EnglishFinishText(run.result);
    return run;
}

void CollectMessages(const RecordingMessageSink& sink, std::int64_t id, ExportRun& run) {
    for (const auto& record : sink.Records()) {
        EXPECT_EQ(record.target, MessageTarget::kPanel);
        EXPECT_FALSE(record.sent) << "the export never waits for the user interface";
        EXPECT_EQ(record.message.lparam, id);
        if (record.message.id == kMessageExportProgress) {
            run.progress.push_back(static_cast<int>(record.message.wparam));
        } else if (record.message.id == kMessageExportFinished) {
            run.finishes.push_back(static_cast<int>(record.message.wparam));
        }
    }
}

std::string EnglishFinishText(const BackupResult& result) {
    return FinishText(result, [](std::string_view text) { return std::string(text); });
}

} // namespace korvex::test
