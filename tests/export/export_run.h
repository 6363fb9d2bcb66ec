#pragma once

// Runs one export to its end, as the panel would, and keeps what it told.

#include "export/backup_result.h"
#include "export/clip_marks.h"
#include "recording_message_sink.h"

#include <string>
#include <vector>

namespace korvex::test {

struct ExportRun {
    bool begun = false;
    bool avi_mode = false;
    BackupResult result;
    std::vector<int> progress; // thousandths, as posted
    std::vector<int> finishes; // outcomes, as posted
    std::string text;          // what the user is shown
};

struct ClipPictures {
    int frame_rate = 30;
    int width = 320;
    int height = 180;
};

// Begins the export and waits for its finish message; the export object is gone afterwards.
ExportRun RunExport(const std::string& output, const ClipRange& marks,
                    const ClipPictures& pictures = {});

// Every message of the export `id` in `sink`: the progress values and the outcomes.
void CollectMessages(const RecordingMessageSink& sink, std::int64_t id, ExportRun& run);

// The text the user sees, in English.
std::string EnglishFinishText(const BackupResult& result);

} // namespace korvex::test
