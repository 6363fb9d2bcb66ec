#include "engine/clip_marks.h"
#include "engine/panel_commands.h"
#include "engine/ts_chn.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(PanelCommands, SpeedSliderPositionsMapToSpeedStatesWithSoundOnlyAtTheMiddle) {
    struct Case {
        int position;
        int speed;
    };
    // Out-of-range positions count as the nearest end.
    const Case cases[] = {{-3, 10}, {0, 10}, {1, 9}, {2, 8}, {3, 7}, {4, 1},
                          {5, 2},   {6, 3},  {7, 4}, {8, 5}, {12, 5}};
    CTSChn channel({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(SpeedStateAtSliderPosition(c.position), c.speed);
        RunSpeedSlider(&channel, c.position);
        EXPECT_EQ(channel.State().Speed(), c.speed);
        EXPECT_EQ(channel.State().IsNormalSpeed(), c.position == kSpeedSliderMiddle);
    }
}

TEST(PanelCommands, CommandsStoreTheirPlayStateAndNeedAChannel) {
    CTSChn channel({});
    channel.SetNormalSpeed(false);
    channel.SetPause(true);
    // Before the reader knows the program tables the direction cannot change; the rest is done.
    EXPECT_TRUE(RunPanelCommand(&channel, PanelCommand::kBackwardPlay));
    EXPECT_EQ(channel.Direction(), kForward);
    EXPECT_EQ(channel.State().Speed(), kSpeedBackward);
    EXPECT_FALSE(channel.State().IsPaused());
    EXPECT_FALSE(channel.State().IsNormalSpeed()); // left as it was

    EXPECT_FALSE(RunPanelCommand(&channel, PanelCommand::kPause));
    EXPECT_TRUE(channel.State().IsPaused());
    EXPECT_FALSE(RunPanelCommand(&channel, PanelCommand::kPreviousPicture));
    EXPECT_EQ(channel.State().Speed(), kSpeedStep);
    EXPECT_FALSE(channel.State().IsPaused());

    EXPECT_TRUE(RunPanelCommand(&channel, PanelCommand::kPlay));
    EXPECT_EQ(channel.State().Speed(), kSpeedNormal);
    EXPECT_TRUE(channel.State().IsNormalSpeed());

    EXPECT_FALSE(RunPanelCommand(nullptr, PanelCommand::kPlay));
    RunSpeedSlider(nullptr, 2);
    RunPositionSlider(nullptr, 500);
}

TEST(ClipMarks, ExportNeedsAMarkInAndAMarkOutAfterIt) {
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

} // namespace
} // namespace korvex
