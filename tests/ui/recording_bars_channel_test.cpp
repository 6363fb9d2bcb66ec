#include "channel_rig.h"
#include "time_zone.h"
#include "ui/recording_bars_view.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace korvex {
namespace {

QPoint CellCentre(CGridCtrl& bar, int column) {
    int left = 0;
    for (int before = 0; before < column; ++before) {
        left += bar.ColumnWidth(before);
    }
    return {left + bar.ColumnWidth(column) / 2, bar.height() / 2};
}

// The widgets show the card's day once the list is complete, and only a coloured minute moves
// the channel.
TEST(RecordingBarsChannel, TheListColoursTheBarsAndAColouredMinutePlaysIt) {
    test::ScopedTimeZone zone("Europe/Berlin");
    test::ChannelRig rig(test::ChannelRig::Pace::kRealTime);
    mkcard::CardOptions options = mkcard::TinyCard(3, 60, 30);
    options.start_local_time = "2024-03-31 01:58:00";
    options.gap_before = {{2, 180}};
    const mkcard::WrittenCard& card = rig.WriteCard(options);
    ASSERT_TRUE(rig.OpenCard(0));

    QWidget window;
    RecordingBarsView view(
        window, 0,
        CalendarDate{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{10}});
    view.SetChannel(rig.channel.get());
    view.ListComplete();
    EXPECT_EQ(view.Calendar().GetCurDate(), QDate(2024, 3, 31));
    EXPECT_EQ(view.Calendar().Marks(), std::vector<QDate>{QDate(2024, 3, 31)});
    EXPECT_EQ(view.Grid(BarGrid::kLateMinutes).CellAt(0, 28)->background, QColor(0, 255, 0));
    EXPECT_EQ(view.Grid(BarGrid::kHours).CellAt(0, 1)->background, QColor(0, 255, 0));

    CGridCtrl& hours = view.Grid(BarGrid::kHours);
    CGridCtrl& minutes = view.Grid(BarGrid::kMinutes);
    QTest::mouseClick(&hours, Qt::LeftButton, {}, CellCentre(hours, 3));
    EXPECT_EQ(minutes.CellAt(0, 3)->background, QColor(0, 255, 0));
    const std::string playing = rig.channel->CurrentPath();
    QTest::mouseClick(&minutes, Qt::LeftButton, {}, CellCentre(minutes, 20)); // grey
    EXPECT_EQ(rig.channel->CurrentPath(), playing);
    const std::string third = card.recordings[2].path.string();
    QTest::mouseClick(&minutes, Qt::LeftButton, {}, CellCentre(minutes, 3));
    EXPECT_TRUE(rig.AwaitUntil([&] { return rig.channel->CurrentPath() == third; }));
    window.resize(1024, 800);
    window.grab().save("recording_bars_card.png");
}

} // namespace
} // namespace korvex
