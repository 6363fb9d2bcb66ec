#include "playback/panel_commands.h"
#include "playback/ts_chn.h"

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

    // The marks are set where the reader is: at the start of no recording, before Open.
    EXPECT_FALSE(RunPanelCommand(&channel, PanelCommand::kMarkIn));
    EXPECT_EQ(channel.Marks().in.position, 0);
    EXPECT_EQ(channel.Marks().out.position, -1);
    EXPECT_FALSE(RunPanelCommand(&channel, PanelCommand::kMarkOut));
    EXPECT_EQ(channel.Marks().out.position, 0);

    EXPECT_FALSE(RunPanelCommand(nullptr, PanelCommand::kPlay));
    RunSpeedSlider(nullptr, 2);
    RunPositionSlider(nullptr, 500);
}

TEST(PanelCommands, APositionStepIsThousandthsOfTheRecordingsLengthWithinIt) {
    struct Case {
        int position;
        std::int64_t milliseconds;
        std::int64_t length_ms;
        int after;
    };
    const Case cases[] = {
        {500, 5000, 60000, 583},    // 83.3 thousandths
        {500, -5000, 60000, 417},   //
        {500, 60000, 120000, 1000}, // half of it
        {990, 5000, 60000, 1000},   // never past the end
        {40, -5000, 60000, 1},      // nor before the start, where 0 would not move
        {0, 5000, 20000, 250},      // at the start
        {500, 1, 60000, 500},       // less than half a thousandth
        {500, 5000, 0, 500},        // no length: no step
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PositionSliderAfter(c.position, c.milliseconds, c.length_ms), c.after)
            << c.position << " " << c.milliseconds << " " << c.length_ms;
    }
}

} // namespace
} // namespace korvex
