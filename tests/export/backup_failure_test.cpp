// Exports that cannot be completed end cleanly with a notice naming the file and the reason,
// and never with "Finish Backup"; an export object deleted while it runs stops at its next
// block and closes its output.

#include "clip_model.h"
#include "export/ts_backup.h"
#include "export_run.h"
#include "outside_judges.h"
#include "shared_card.h"
#include "temp_dir.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <limits>
#include <thread>

namespace korvex {
namespace {

constexpr auto kFailed = static_cast<int>(BackupOutcome::kFailed);

const test::SharedCard& Card() {
    static const test::SharedCard card([] {
        mkcard::CardOptions options;
        options.count = 3;
        options.seconds = 3;
        return options;
    }());
    return card;
}

std::string Recording(int index) {
    return Card().Recording(index);
}

ClipRange AllThree() {
    return {Recording(0), 0, Recording(2), std::numeric_limits<std::int64_t>::max()};
}

void ExpectFailureNotice(const test::ExportRun& run, const std::string& file,
                         const std::string& reason) {
    EXPECT_EQ(run.result.outcome, BackupOutcome::kFailed);
    EXPECT_EQ(run.finishes, std::vector<int>{kFailed});
    EXPECT_NE(run.text.find("Backup failed"), std::string::npos) << run.text;
    EXPECT_NE(run.result.error.find(file), std::string::npos) << run.result.error;
    EXPECT_NE(run.result.error.find(reason), std::string::npos) << run.result.error;
    EXPECT_EQ(run.text.find("Finish Backup"), std::string::npos) << run.text;
}

TEST(BackupFailure, OutputThatCannotBeCreated) {
    test::WriteFile(Card() / "plain", "not a folder");
    const struct {
        std::string output;
        std::string reason;
    } cases[] = {
        {(Card() / "missing" / "clip.nts").string(), "No such file or directory"},
        {(Card() / "missing" / "clip.avi").string(), "No such file or directory"},
        {(Card() / "plain" / "clip.nts").string(), "Not a directory"},
        {(Card() / "plain" / "clip.AVI").string(), "Not a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        const test::ExportRun run = test::RunExport(c.output, AllThree());
        EXPECT_FALSE(run.begun);
        ExpectFailureNotice(run, c.output, c.reason);
    }
}

TEST(BackupFailure, RecordingsThatCannotBeRead) {
    const std::string output = (Card() / "clip.nts").string();
    const std::string missing = (Card().Card().folder / "REC_0000.ts").string();
    const test::ExportRun run = test::RunExport(output, {missing, 0, Recording(2), 1000});
    EXPECT_TRUE(run.begun);
    ExpectFailureNotice(run, missing, "No such file or directory");

    // The output chosen is a recording of the clip: it is left as it is.
    const std::string before = test::ReadFile(Recording(0));
    const test::ExportRun onto = test::RunExport(Recording(0), AllThree());
    EXPECT_FALSE(onto.begun);
    ExpectFailureNotice(onto, Recording(0), "a recording of the clip");
    EXPECT_TRUE(test::ReadFile(Recording(0)) == before);
}

// Every recording of the clip is refused as its output, under any name that leads to it, and
// is left as it was.
TEST(BackupFailure, OutputThatIsARecordingOfTheClip) {
    const std::filesystem::path link = Card() / "link.nts";
    const std::filesystem::path hard = Card() / "hard.nts";
    std::filesystem::create_symlink(Recording(1), link);
    std::filesystem::create_hard_link(Recording(2), hard);
    const std::string before = test::ReadFile(Recording(1));
    for (const std::string& output : {Recording(1), link.string(), hard.string()}) {
        SCOPED_TRACE(output);
        const test::ExportRun run = test::RunExport(output, AllThree());
        EXPECT_FALSE(run.begun);
        ExpectFailureNotice(run, output, "a recording of the clip");
    }
    EXPECT_TRUE(test::ReadFile(Recording(1)) == before);
    EXPECT_TRUE(test::ReadFile(hard) == test::ReadFile(Recording(2)));
}

// A file of the chosen name stays whole until the new clip exists: a failed export leaves it as
// it was, a finished one replaces it; no temporary file is left beside it.
TEST(BackupFailure, ExistingFileIsReplacedOnlyByAWholeClip) {
    test::TempDir dir;
    for (const char* name : {"old.nts", "old.avi"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path output = test::WriteFile(dir / name, "the user's old file");
        const std::string missing = (Card().Card().folder / "REC_0000.ts").string();
        const test::ExportRun failed = test::RunExport(output, {missing, 0, Recording(2), 1000});
        EXPECT_EQ(failed.result.outcome, BackupOutcome::kFailed);
        EXPECT_EQ(test::ReadFile(output), "the user's old file");

        const ClipRange marks = AllThree();
        test::RecordingMessageSink sink;
        std::string seen_while_running;
        sink.SetObserver([&](const test::RecordingMessageSink::Record& record) {
            if (record.message.id == kMessageExportProgress && seen_while_running.empty()) {
                seen_while_running = test::ReadFile(output);
            }
        });
        {
            CTSBackup backup(&sink);
            ASSERT_TRUE(backup.Begin(output, 30, 320, 180, marks.in_path, marks.in_position,
                                     marks.out_path, marks.out_position));
            while (backup.IsRunning()) {
                std::this_thread::yield();
            }
            EXPECT_EQ(backup.Result().outcome, BackupOutcome::kFinished);
        }
        EXPECT_EQ(seen_while_running, "the user's old file");
        if (std::string(name).ends_with(".nts")) {
            EXPECT_TRUE(test::ReadFile(output) ==
                        test::ExpectedTsClip({Recording(0), Recording(1), Recording(2)}, marks));
        } else {
            EXPECT_EQ(test::ProbeStreams(output).at("streams.stream.0.codec_name"), "h264");
        }
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"old.avi", "old.nts"}));
}

// A recording deleted while the export runs ends the clip early: what was copied is kept and
// the notice says the clip is incomplete. A failed clip is removed.
TEST(BackupFailure, RecordingDeletedWhileExporting) {
    test::TempDir dir;
    std::vector<std::string> copies;
    for (int index = 0; index < 3; ++index) {
        const auto copy = dir.path() / std::filesystem::path(Recording(index)).filename();
        std::filesystem::copy_file(Recording(index), copy);
        copies.push_back(copy.string());
    }
    const ClipRange marks{copies[0], 0, copies[2], std::numeric_limits<std::int64_t>::max()};
    const std::string output = (dir / "clip.nts").string();
    test::RecordingMessageSink sink;
    sink.SetObserver([&](const test::RecordingMessageSink::Record& record) {
        if (record.message.id == kMessageExportProgress) {
            std::filesystem::remove(copies[2]);
        }
    });
    CTSBackup backup(&sink);
    ASSERT_TRUE(backup.Begin(output, 30, 320, 180, marks.in_path, marks.in_position, marks.out_path,
                             marks.out_position));
    while (backup.IsRunning()) {
        std::this_thread::yield();
    }
    const BackupResult result = backup.Result();
    EXPECT_EQ(result.outcome, BackupOutcome::kIncomplete) << result.error;
    EXPECT_TRUE(test::ReadFile(output) == test::ExpectedTsClip({copies[0], copies[1]}, marks));
}

// The mark-out recording is never reached: the output holds everything read and is closed, and
// the notice says how much that was.
TEST(BackupFailure, RecordingsEndBeforeTheMarkOut) {
    const ClipRange marks{Recording(0), 100000, (Card().Card().folder / "REC_0009.ts").string(),
                          5000};
    for (const char* name : {"short.nts", "short.avi"}) {
        SCOPED_TRACE(name);
        const std::string output = (Card() / name).string();
        const test::ExportRun run = test::RunExport(output, marks);
        EXPECT_EQ(run.result.outcome, BackupOutcome::kIncomplete);
        EXPECT_EQ(run.finishes, std::vector<int>{static_cast<int>(BackupOutcome::kIncomplete)});
        EXPECT_EQ(run.text.find("Finish Backup"), std::string::npos);
        EXPECT_NE(run.text.find("the recordings end before the mark-out point"), std::string::npos);
        EXPECT_NE(
            run.text.find(std::to_string(std::filesystem::file_size(output)) + " bytes written"),
            std::string::npos)
            << run.text;
        if (run.avi_mode) {
            const auto streams = test::ProbeStreams(output);
            EXPECT_EQ(streams.at("streams.stream.0.nb_read_packets"),
                      std::to_string(run.result.video_frames));
        } else {
            EXPECT_TRUE(test::ReadFile(output) ==
                        test::ExpectedTsClip({Recording(0), Recording(1), Recording(2)}, marks));
        }
    }
}

// The worker is held inside its first progress message until the owner's delete has cleared
// its running flag; it must then stop at once, close its output and say it was stopped.
TEST(BackupFailure, DeletedWhileRunning) {
    for (const char* name : {"deleted.nts", "deleted.avi"}) {
        SCOPED_TRACE(name);
        const std::string output = (Card() / name).string();
        test::RecordingMessageSink sink;
        auto backup = std::make_unique<CTSBackup>(&sink);
        std::atomic<CTSBackup*> held = backup.get();
        std::promise<void> reached;
        std::atomic<bool> first = true;
        sink.SetObserver([&](const test::RecordingMessageSink::Record& record) {
            if (record.message.id == kMessageExportProgress && first.exchange(false)) {
                reached.set_value();
                while (held.load()->IsRunning()) {
                    std::this_thread::yield();
                }
            }
        });
        const ClipRange marks = AllThree();
        ASSERT_TRUE(backup->Begin(output, 30, 320, 180, marks.in_path, marks.in_position,
                                  marks.out_path, marks.out_position));
        const std::int64_t id = backup->Id();
        reached.get_future().wait();
        backup.reset();

        test::ExportRun run;
        test::CollectMessages(sink, id, run);
        EXPECT_EQ(run.finishes, std::vector<int>{static_cast<int>(BackupOutcome::kStopped)});
        const std::string clip = test::ReadFile(output);
        if (std::string(name).ends_with(".avi")) {
            EXPECT_EQ(test::ProbeStreams(output).at("streams.stream.0.codec_name"), "h264");
        } else {
            const std::string whole =
                test::ExpectedTsClip({Recording(0), Recording(1), Recording(2)}, marks);
            EXPECT_LT(clip.size(), whole.size());
            EXPECT_TRUE(whole.starts_with(clip)) << "the stopped clip is the start of the whole";
        }
    }
}

} // namespace
} // namespace korvex
