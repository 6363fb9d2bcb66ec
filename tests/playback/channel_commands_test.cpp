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

    EXPECT_FALSE(RunPanelCommand(nullptr, PanelCommand::kPlay));
    RunSpeedSlider(nullptr, 2);
    RunPositionSlider(nullptr, 500);
}

} // namespace
} // namespace korvex
