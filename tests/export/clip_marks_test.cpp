// The range and finish rules of the export, the marks and the rule that allows an export, and
// the texts the user is shown at its end.

#include "export/backup_result.h"
#include "export/clip_marks.h"
#include "export/ts_backup.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(ClipRange, RangeAndFinishRules) {
    const ClipRange across{"d/REC_5.ts", 1000, "d/REC_7.ts", 3000};
    const ClipRange within{"d/REC_5.ts", 1000, "d/REC_5.ts", 3000};
    const struct {
        const ClipRange& marks;
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

// The marks as the channel and korvex-cli set them: one rule decides for both.
TEST(ClipMarks, ExportAllowedOnlyWhenTheMarkOutComesLater) {
    struct Case {
        const char* what;
        ClipMark in;
        ClipMark out;
        bool allowed;
    };
    const Case cases[] = {
        {"later recording", {3, "a/REC_0003.ts", 900}, {4, "a/REC_0004.ts", 10}, true},
        {"same recording, further on", {3, "a/REC_0003.ts", 100}, {3, "a/REC_0003.ts", 101}, true},
        {"same place", {3, "a/REC_0003.ts", 100}, {3, "a/REC_0003.ts", 100}, false},
        {"earlier recording", {3, "a/REC_0003.ts", 100}, {2, "a/REC_0002.ts", 900}, false},
        {"no mark-out", {3, "a/REC_0003.ts", 100}, {}, false},
        {"no mark-in", {}, {3, "a/REC_0003.ts", 100}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ((ClipMarks{c.in, c.out}.ExportAllowed()), c.allowed) << c.what;
    }

    const struct {
        const char* in_path;
        std::int64_t in_position;
        const char* out_path;
        std::int64_t out_position;
        bool allowed;
    } set[] = {
        {"REC_5.ts", 10, "REC_7.ts", 0, true},
        {"REC_5.ts", 10, "REC_5.ts", 11, true},
        {"REC_5.ts", 10, "REC_5.ts", 10, false},
        {"REC_7.ts", 10, "REC_5.ts", 90, false}, // mark-out in an earlier recording
        {"REC_5.ts", -1, "REC_7.ts", 90, false}, // no mark-in
        {"REC_5.ts", 10, "REC_7.ts", -1, true},  // numbers decide across recordings
        {"REC_5.ts", 10, "", -1, false},         // no mark-out
    };
    for (const auto& c : set) {
        ClipMarks marks;
        marks.MarkIn(c.in_path, c.in_position);
        marks.MarkOut(c.out_path, c.out_position);
        EXPECT_EQ(marks.ExportAllowed(), c.allowed)
            << c.in_path << ":" << c.in_position << " " << c.out_path << ":" << c.out_position;
        const ClipRange range = marks.Range();
        EXPECT_EQ(range.in_path, c.in_path);
        EXPECT_EQ(range.out_position, c.out_position);
    }
}

TEST(ClipMarks, AMarkInClearsTheMarkOutButItsPath) {
    ClipMarks marks;
    marks.MarkIn("card/REC_0007.ts", 4096);
    EXPECT_EQ(marks.in.number, 7);
    marks.MarkOut("card/REC_0009.ts", 8192);
    EXPECT_TRUE(marks.ExportAllowed());
    marks.MarkIn("card/REC_0008.ts", 100);
    EXPECT_EQ(marks.out.number, -1);
    EXPECT_EQ(marks.out.position, -1);
    EXPECT_EQ(marks.out.path, "card/REC_0009.ts");
    EXPECT_FALSE(marks.ExportAllowed());
    marks.MarkOut("card/clip.ts", 200); // a name without a number
    EXPECT_EQ(marks.out.number, -1);
    EXPECT_FALSE(marks.ExportAllowed());
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
