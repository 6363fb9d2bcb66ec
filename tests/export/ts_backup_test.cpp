// Transport-stream clips: the head of the mark-in recording, then exactly the 8192-byte blocks
// the range rule selects, across recordings, byte for byte; ffprobe reads them.

#include "clip_model.h"
#include "export/clip_marks.h"
#include "export_run.h"
#include "outside_judges.h"
#include "shared_card.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <limits>

namespace korvex {
namespace {

// Recordings of more than 1 MB: large pictures, little compression.
const test::SharedCard& Card() {
    static const test::SharedCard card([] {
        mkcard::CardOptions options;
        options.count = 3;
        options.seconds = 6;
        options.width = 640;
        options.height = 360;
        options.crf = 4;
        return options;
    }());
    return card;
}

std::string Recording(int index) {
    return Card().Recording(index);
}
std::int64_t Size(int index) {
    return static_cast<std::int64_t>(Card().Written(index).size);
}

TEST(TsBackup, ClipIsTheHeadAndTheBlocksInsideTheMarks) {
    ASSERT_GT(Size(0), 1300000) << "the first case needs 1 MB after its mark-in";
    constexpr std::int64_t kThroughTheEnd = std::numeric_limits<std::int64_t>::max();
    struct Case {
        const char* name;
        const char* output;
        ClipRange marks;
        std::vector<int> chain; // recordings read
    };
    const Case cases[] = {
        {"one recording, 1 MB apart",
         "one.nts",
         {Recording(0), 250000, Recording(0), 250000 + 1048576},
         {0}},
        {"three recordings, the middle one whole",
         "three.avi.ts",
         {Recording(0), 900000, Recording(2), 300000},
         {0, 1, 2}},
        {"a whole recording", "whole.nts", {Recording(1), 0, Recording(1), kThroughTheEnd}, {1}},
        {"from the end of the head's block",
         "second.nts",
         {Recording(0), 8192, Recording(0), 60000},
         {0}},
        {"to the end of a recording",
         "end.nts",
         {Recording(1), 500000, Recording(2), Size(2)},
         {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string output = (Card() / c.output).string();
        const test::ExportRun run = test::RunExport(output, c.marks);
        EXPECT_TRUE(run.begun);
        EXPECT_FALSE(run.avi_mode);
        EXPECT_EQ(run.result.outcome, BackupOutcome::kFinished) << run.text;
        EXPECT_EQ(run.finishes, std::vector<int>{static_cast<int>(BackupOutcome::kFinished)});
        EXPECT_EQ(run.text, output + " Finish Backup");

        std::vector<std::string> chain;
        for (int index : c.chain) {
            chain.push_back(Recording(index));
        }
        const std::string expected = test::ExpectedTsClip(chain, c.marks);
        const std::string clip = test::ReadFile(output);
        EXPECT_EQ(clip.size(), expected.size());
        EXPECT_TRUE(clip == expected) << "the clip differs from the blocks the marks select";
        EXPECT_EQ(run.result.bytes_written, static_cast<std::int64_t>(clip.size()));

        ASSERT_FALSE(run.progress.empty());
        EXPECT_TRUE(std::is_sorted(run.progress.begin(), run.progress.end()));
        EXPECT_EQ(run.progress.back(), 1000);

        const auto streams = test::ProbeStreams(output);
        EXPECT_EQ(streams.at("streams.stream.0.codec_name"), "h264");
        EXPECT_EQ(streams.at("streams.stream.1.codec_name"), "aac");
    }
    // The whole recording is copied unchanged.
    EXPECT_TRUE(test::ReadFile(Card() / "whole.nts") == test::ReadFile(Recording(1)));
}

} // namespace
} // namespace korvex
