#include "channel_rig.h"
#include "time_zone.h"
#include "ui/channel_bars.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

// A click on the time bars moves a real channel to the recording of that minute, and a click
// inside the recording already playing leaves it where it is.
TEST(ChannelBars, AMinuteClickPlaysTheRecordingOfThatMinute) {
    test::ScopedTimeZone zone("Europe/Berlin");
    test::ChannelRig rig(test::ChannelRig::Pace::kRealTime);
    mkcard::CardOptions options = mkcard::TinyCard(3, 60, 30);
    options.start_local_time = "2024-03-31 01:58:00"; // the clock goes forward at 02:00
    options.gap_before = {{2, 180}};
    const mkcard::WrittenCard& card = rig.WriteCard(options);
    ASSERT_TRUE(rig.OpenCard(0));

    ChannelBars source;
    source.SetChannel(rig.channel.get());
    TimeBars bars(
        CalendarDate{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{10}},
        source);
    bars.ListComplete(); // the card's day, at the hour the playing recording starts
    ASSERT_EQ(bars.Calendar().SelectedHour(), 1);
    EXPECT_EQ(bars.CellColour(BarGrid::kLateMinutes, 28), kRecordingColour);
    ASSERT_TRUE(bars.HourClicked(BarGrid::kHours, 3)); // 03:00 CEST, the hour after 01:59 CET
    EXPECT_EQ(bars.CellColour(BarGrid::kMinutes, 3), kRecordingColour);

    const std::string third = card.recordings[2].path.string();
    EXPECT_EQ(bars.MinuteClicked(BarGrid::kMinutes, 3), 1); // 03:03, the third recording
    EXPECT_TRUE(rig.AwaitUntil([&] { return rig.channel->CurrentPath() == third; }));
    EXPECT_EQ(bars.MinuteClicked(BarGrid::kMinutes, 3), 0);

    source.SetChannel(nullptr);
    EXPECT_EQ(bars.MinuteClicked(BarGrid::kMinutes, 3), 0);
}

} // namespace
} // namespace korvex
