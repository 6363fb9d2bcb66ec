#include "mkcard/card_writer.h"
#include "recording_message_sink.h"
#include "temp_dir.h"
#include "ui/clip_export_job.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;

class ClipExport : public testing::Test {
protected:
    ClipExportRequest Request(const std::string& name) const {
        ClipExportRequest request;
        request.output_path = (dir_ / name).string();
        request.frame_rate = 30;
        request.width = 320;
        request.height = 180;
        request.range = {card_.recordings[0].path.string(), 0, card_.recordings[2].path.string(),
                         static_cast<std::int64_t>(card_.recordings[2].size)};
        return request;
    }
    // Hands the job the panel's messages until it has heard of its end.
    void AwaitEnd(ClipExportJob& job) {
        std::size_t taken = 0;
        while (job.IsRunning()) {
            ASSERT_TRUE(
                sink_.WaitUntil([&](const auto& records) { return records.size() > taken; }));
            const auto records = sink_.Records();
            for (; taken < records.size(); ++taken) {
                job.Take(records[taken].message);
            }
        }
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_.path())) {
            names.push_back(entry.path().filename().string());
        }
        std::ranges::sort(names);
        return names;
    }

    test::TempDir card_dir_;
    mkcard::WrittenCard card_ = [this] {
        mkcard::CardOptions options;
        options.count = 3;
        options.seconds = 4;
        return mkcard::WriteCard(options, card_dir_.path() / "card");
    }();
    test::TempDir dir_;
    test::RecordingMessageSink sink_;
};

TEST_F(ClipExport, FollowsItsOwnExportToTheEnd) {
    ClipExportJob job(&sink_);
    job.Start(Request("first.avi"));
    job.Start(Request("whole.avi")); // replaces the first, whatever it had done
    AwaitEnd(job);
    ASSERT_TRUE(job.Result().has_value());
    EXPECT_EQ(job.Result()->outcome, BackupOutcome::kFinished) << job.Result()->error;
    EXPECT_EQ(job.Thousandths(), 1000);
    // The first one was stopped before its end, or it ended whole before it could be.
    const std::vector<std::string> names = Names();
    EXPECT_TRUE(names == std::vector<std::string>{"whole.avi"} ||
                (names == std::vector<std::string>{"first.avi", "whole.avi"} &&
                 test::ReadFile(dir_ / "first.avi") == test::ReadFile(dir_ / "whole.avi")));
}

TEST_F(ClipExport, GoneBeforeItsEndLeavesNoClipThatLooksWhole) {
    {
        ClipExportJob job(&sink_);
        job.Start(Request("whole.avi"));
        AwaitEnd(job);
    }
    {
        ClipExportJob job(&sink_);
        job.Start(Request("cut.avi"));
    }
    const std::vector<std::string> names = Names();
    EXPECT_TRUE(names == std::vector<std::string>{"whole.avi"} ||
                (names == std::vector<std::string>{"cut.avi", "whole.avi"} &&
                 test::ReadFile(dir_ / "cut.avi") == test::ReadFile(dir_ / "whole.avi")));
}

} // namespace
} // namespace korvex
