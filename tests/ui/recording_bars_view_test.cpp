#include "ui/recording_bars_view.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <numeric>

namespace korvex {
namespace {

constexpr CalendarDate kToday{std::chrono::year(2026), std::chrono::month(3), std::chrono::day(14)};
constexpr std::array kAllBars{BarGrid::kMinutes, BarGrid::kLateMinutes, BarGrid::kHours,
                              BarGrid::kLateHours};

int TotalWidth(CGridCtrl& bar) {
    int total = 0;
    for (int column = 0; column < bar.ColumnCount(); ++column) {
        total += bar.ColumnWidth(column);
    }
    return total;
}

TEST(RecordingBarsView, EachModeBuildsItsCellsAcrossTheWholeBar) {
    for (int mode : {0, 1, 2}) {
        QWidget window;
        RecordingBarsView view(window, mode, kToday);
        for (BarGrid grid : kAllBars) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " grid " << int(grid));
            CGridCtrl& bar = view.Grid(grid);
            EXPECT_EQ(bar.isVisibleTo(&window), IsShown(grid, mode));
            ASSERT_EQ(bar.ColumnCount(), ColumnCount(grid, mode));
            EXPECT_EQ(bar.RowCount(), 1);
            EXPECT_EQ(TotalWidth(bar), bar.width());
            EXPECT_EQ(bar.CellAt(0, 5)->text.toStdString(), CellLabel(grid, 5));
        }
    }
    QWidget window;
    RecordingBarsView view(window, 2, kToday);
    EXPECT_EQ(view.Grid(BarGrid::kMinutes).ColumnCount(), 60);
    EXPECT_EQ(view.Grid(BarGrid::kHours).ColumnCount(), 24);
}

TEST(RecordingBarsView, ClearGreysEveryCellAndUnmarksTheCalendar) {
    QWidget window;
    RecordingBarsView view(window, 0, kToday);
    view.Calendar().AddMark(QDate(2026, 3, 14));
    view.Clear();
    EXPECT_TRUE(view.Calendar().Marks().empty());
    for (BarGrid grid : kAllBars) {
        CGridCtrl& bar = view.Grid(grid);
        for (int column = 0; column < bar.ColumnCount(); ++column) {
            EXPECT_EQ(bar.CellAt(0, column)->background, QColor(104, 104, 104));
        }
    }
    window.resize(1024, 800);
    window.grab().save("recording_bars_mode0.png");
}

QPoint CellCentre(CGridCtrl& bar, int column) {
    int left = 0;
    for (int before = 0; before < column; ++before) {
        left += bar.ColumnWidth(before);
    }
    return {left + bar.ColumnWidth(column) / 2, bar.height() / 2};
}

TEST(RecordingBarsView, AnHourClickTakesTheFocusFromTheOtherHourBar) {
    QWidget window;
    RecordingBarsView view(window, 0, kToday);
    CGridCtrl& hours = view.Grid(BarGrid::kHours);
    CGridCtrl& late_hours = view.Grid(BarGrid::kLateHours);
    QTest::mouseClick(&hours, Qt::LeftButton, {}, CellCentre(hours, 3));
    ASSERT_EQ(hours.FocusColumn(), 3);
    QTest::mouseClick(&late_hours, Qt::LeftButton, {}, CellCentre(late_hours, 2));
    EXPECT_EQ(late_hours.FocusColumn(), 2);
    EXPECT_EQ(hours.FocusColumn(), -1);
}

} // namespace
} // namespace korvex
