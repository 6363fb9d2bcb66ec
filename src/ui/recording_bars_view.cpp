#include "ui/recording_bars_view.h"

#include "ui/main_window_layout.h"

#include <array>

namespace korvex {
namespace {

constexpr std::array kAllBars{BarGrid::kMinutes, BarGrid::kLateMinutes, BarGrid::kHours,
                              BarGrid::kLateHours};

QColor ToQColor(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

QDate ToQDate(CalendarDate day) {
    return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                 static_cast<int>(static_cast<unsigned>(day.day())));
}

CalendarDate ToCalendarDate(QDate date) {
    return CalendarDate{std::chrono::year(date.year()),
                        std::chrono::month(static_cast<unsigned>(date.month())),
                        std::chrono::day(static_cast<unsigned>(date.day()))};
}

QRect BarRect(const MainWindowLayout& layout, BarGrid grid) {
    switch (grid) {
    case BarGrid::kMinutes:
        return layout.minutes;
    case BarGrid::kLateMinutes:
        return layout.late_minutes;
    case BarGrid::kHours:
        return layout.hours;
    case BarGrid::kLateHours:
        return layout.late_hours;
    }
    return {};
}

} // namespace

RecordingBarsView::RecordingBarsView(QWidget& window, int ui_mode, CalendarDate today)
    : ui_mode_(ui_mode), bars_(today, channel_), minutes_(&window), late_minutes_(&window),
      hours_(&window), late_hours_(&window), calendar_(&window) {
    calendar_.SetCurDate(ToQDate(today));
    for (BarGrid grid : kAllBars) {
        CGridCtrl& bar = Grid(grid);
        if (IsMinuteBar(grid)) {
            connect(&bar, &CGridCtrl::clicked, this,
                    [this, grid](int, int column) { OnMinuteClicked(grid, column); });
        } else {
            connect(&bar, &CGridCtrl::clicked, this,
                    [this, grid](int, int column) { OnHourClicked(grid, column); });
        }
    }
    connect(&calendar_, &CMonthCalCtrlEx::dateChanged, this, &RecordingBarsView::OnDateChanged);
    Place();
}

void RecordingBarsView::Place() {
    const MainWindowLayout& layout = LayoutFor(ui_mode_);
    for (BarGrid grid : kAllBars) {
        Grid(grid).setGeometry(BarRect(layout, grid));
    }
    calendar_.setGeometry(layout.calendar);
    BuildBars();
}

void RecordingBarsView::SetChannel(CTSChn* channel) {
    channel_.SetChannel(channel);
}

void RecordingBarsView::ListComplete() {
    MarkCalendar();
    bars_.ListComplete();
    calendar_.SetCurDate(ToQDate(bars_.Calendar().SelectedDate()));
    RecolourHours();
    RecolourMinutes();
}

void RecordingBarsView::Clear() {
    bars_.Clear();
    calendar_.ClearMarks();
    RecolourHours();
    RecolourMinutes();
}

CGridCtrl& RecordingBarsView::Grid(BarGrid grid) {
    switch (grid) {
    case BarGrid::kMinutes:
        return minutes_;
    case BarGrid::kLateMinutes:
        return late_minutes_;
    case BarGrid::kHours:
        return hours_;
    case BarGrid::kLateHours:
        return late_hours_;
    }
    return minutes_;
}

CMonthCalCtrlEx& RecordingBarsView::Calendar() {
    return calendar_;
}

const TimeBars& RecordingBarsView::Bars() const {
    return bars_;
}

void RecordingBarsView::BuildBars() {
    for (BarGrid grid : kAllBars) {
        BuildBar(grid);
    }
}

void RecordingBarsView::BuildBar(BarGrid grid) {
    CGridCtrl& bar = Grid(grid);
    bar.setVisible(IsShown(grid, ui_mode_));
    const int columns = ColumnCount(grid, ui_mode_);
    bar.SetSize(1, columns);
    bar.SetFixedCounts(0, 0);
    bar.SetRowHeight(0, bar.height());
    const std::vector<int> widths = ColumnWidths(bar.width(), columns);
    for (int column = 0; column < columns; ++column) {
        bar.SetColumnWidth(column, widths[static_cast<std::size_t>(column)]);
        bar.SetCell(0, column, QString::fromStdString(CellLabel(grid, column)),
                    ToQColor(bars_.CellColour(grid, column)), LogicalFont{});
    }
}

void RecordingBarsView::MarkCalendar() {
    calendar_.ClearMarks();
    for (CalendarDate day : bars_.DaysToMark()) {
        calendar_.AddMark(ToQDate(day));
    }
}

void RecordingBarsView::RecolourMinutes() {
    Recolour(BarGrid::kMinutes);
    Recolour(BarGrid::kLateMinutes);
}

void RecordingBarsView::RecolourHours() {
    Recolour(BarGrid::kHours);
    Recolour(BarGrid::kLateHours);
}

void RecordingBarsView::Recolour(BarGrid grid) {
    CGridCtrl& bar = Grid(grid);
    for (int column = 0; column < bar.ColumnCount(); ++column) {
        bar.SetCellBackground(0, column, ToQColor(bars_.CellColour(grid, column)));
    }
}

void RecordingBarsView::OnDateChanged(QDate date) {
    bars_.DateSelected(ToCalendarDate(date));
    RecolourHours();
    RecolourMinutes();
}

void RecordingBarsView::OnHourClicked(BarGrid grid, int column) {
    // Only one hour is selected at a time, across both hour bars.
    Grid(grid == BarGrid::kHours ? BarGrid::kLateHours : BarGrid::kHours).ClearFocusCell();
    if (bars_.HourClicked(grid, column)) {
        RecolourMinutes();
    }
}

void RecordingBarsView::OnMinuteClicked(BarGrid grid, int column) {
    bars_.MinuteClicked(grid, column);
}

} // namespace korvex
