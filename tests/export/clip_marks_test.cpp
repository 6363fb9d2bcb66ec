// The range and finish rules of the export, the rule that allows an export, and the texts the
// user is shown at its end.

#include "export/backup_result.h"
#include "export/clip_marks.h"
#include "export/ts_backup.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(ClipMarks, RangeAndFinishRules) {
    const ClipMarks across{"d/REC_5.ts", 1000, "d/REC_7.ts", 3000};
    const ClipMarks within{"d/REC_5.ts", 1000, "d/REC_5.ts", 3000};
    const struct {
        const ClipMarks& marks;
        const char* path;
        std::int64_t position;
        bool inside;
        bool past_end;
    } cases[] = {
        {across, "d/REC_6.ts", 1, true, false},     // between the two: always
        {across, "d/REC_5.ts", 1000, false, false}, // mark-in recording: after the mark only
        {across, "d/REC_5.ts", 1001, true, false},
        {across, "d/REC_7.ts", 2999, true, false}, // mark-out recording: before the mark only
        {across, "d/REC_7.ts", 3000, false, false},
        {across, "d/REC_7.ts", 3001, false, true},
        {across, "d/./REC_6.ts", 1, true, false}, // paths are compared as text
        {within, "d/REC_5.ts", 1000, false, false},
        {within, "d/REC_5.ts", 2000, true, false},
        {within, "d/REC_5.ts", 3000, false, false},
        {within, "d/REC_5.ts", 3001, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " at " + std::to_string(c.position));
        EXPECT_EQ(c.marks.Inside(c.path, c.position), c.inside);
        EXPECT_EQ(c.marks.PastEnd(c.path, c.position), c.past_end);
    }
}

TEST(ClipMarks, ExportAllowedOnlyWhenTheMarkOutComesLater) {
    const struct {
        ClipMarks marks;
        bool allowed;
    } cases[] = {
        {{"REC_5.ts", 10, "REC_7.ts", 0}, true},
        {{"REC_5.ts", 10, "REC_5.ts", 11}, true},
        {{"REC_5.ts", 10, "REC_5.ts", 10}, false},
        {{"REC_7.ts", 10, "REC_5.ts", 90}, false}, // mark-out in an earlier recording
        {{"REC_5.ts", -1, "REC_7.ts", 90}, false}, // no mark-in
        {{"REC_5.ts", 10, "REC_7.ts", -1}, true},  // numbers decide across recordings
        {{"REC_5.ts", 10, "", -1}, false},         // no mark-out
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MarksMakeClip(c.marks), c.allowed)
            << c.marks.in_path << ":" << c.marks.in_position << " " << c.marks.out_path << ":"
            << c.marks.out_position;
    }
}

TEST(ClipMarks, OutputPathChoosesTheMode) {
    EXPECT_TRUE(IsAviOutput("clip.avi"));
    EXPECT_TRUE(IsAviOutput("/a/CLIP.AVI"));
    EXPECT_TRUE(IsAviOutput("x.aVi"));
    EXPECT_FALSE(IsAviOutput("clip.avi.ts"));
    EXPECT_FALSE(IsAviOutput("clip.nts"));
    EXPECT_FALSE(IsAviOutput("avi"));
}

TEST(BackupResult, FinishTexts) {
    const auto upper = [](std::string_view text) { return "<" + std::string(text) + ">"; };
    BackupResult result{BackupOutcome::kFinished, "/m/clip.nts", "", 4096, 0};
    EXPECT_EQ(FinishText(result, upper), "/m/clip.nts <Finish Backup>");
    result.outcome = BackupOutcome::kFailed;
    result.error = "cannot write /m/clip.nts: No space left on device";
    EXPECT_EQ(FinishText(result, upper),
              "/m/clip.nts <Backup failed>: cannot write /m/clip.nts: No space left on device");
    result.outcome = BackupOutcome::kIncomplete;
    EXPECT_EQ(FinishText(result, upper),
              "/m/clip.nts <Backup incomplete: the recordings end before the mark-out point> "
              "(4096 bytes written)");
    result.outcome = BackupOutcome::kStopped;
    EXPECT_EQ(FinishText(result, upper), "/m/clip.nts <Backup stopped> (4096 bytes written)");
}

} // namespace
} // namespace korvex
