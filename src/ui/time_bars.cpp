#include "ui/time_bars.h"

#include <cstdio>

namespace korvex {
namespace {

constexpr int kLargeUiMode = 2;

} // namespace

Rgb StateColour(int state) {
    if (state == kNoRecording) {
        return kNoRecordingColour;
    }
    return state == 1 || state == kWritableRecording ? kRecordingColour : kReadOnlyColour;
}

bool IsMinuteBar(BarGrid grid) {
    return grid == BarGrid::kMinutes || grid == BarGrid::kLateMinutes;
}

int ColumnCount(BarGrid grid, int ui_mode) {
    const bool whole = ui_mode == kLargeUiMode;
    switch (grid) {
    case BarGrid::kMinutes:
        return whole ? 60 : 30;
    case BarGrid::kHours:
        return whole ? 24 : 12;
    case BarGrid::kLateMinutes:
        return 30;
    case BarGrid::kLateHours:
        return 12;
    }
    return 0;
}

bool IsShown(BarGrid grid, int ui_mode) {
    return ui_mode != kLargeUiMode ||
           (grid != BarGrid::kLateMinutes && grid != BarGrid::kLateHours);
}

int FirstCellValue(BarGrid grid) {
    switch (grid) {
    case BarGrid::kLateMinutes:
        return 30;
    case BarGrid::kLateHours:
        return 12;
    default:
        return 0;
    }
}

std::vector<int> ColumnWidths(int client_width, int columns) {
    // In whole numbers: a width of client_width / columns as a double, multiplied back, can
    // fall just short of the whole and lose the last pixel.
    std::vector<int> widths;
    for (int c = 0; c < columns; ++c) {
        widths.push_back((c + 1) * client_width / columns - c * client_width / columns);
    }
    return widths;
}

std::string CellLabel(BarGrid grid, int column) {
    if (!IsMinuteBar(grid) || column % 5 != 0) {
        return {};
    }
    char text[8];
    std::snprintf(text, sizeof text, "%02d", column + FirstCellValue(grid));
    return text;
}

Rgb TimeBars::CellColour(BarGrid grid, int column) const {
    const int value = column + FirstCellValue(grid);
    return StateColour(IsMinuteBar(grid) ? calendar_.MinuteState(calendar_.SelectedHour(), value)
                                         : calendar_.HourState(value));
}

const std::vector<RecordingEntry>& TimeBars::Entries() const {
    static const std::vector<RecordingEntry> none;
    const std::vector<RecordingEntry>* entries = channel_.Recordings();
    return entries != nullptr ? *entries : none;
}

std::set<CalendarDate> TimeBars::DaysToMark() const {
    return DaysWithRecordings(Entries());
}

void TimeBars::FillDay(CalendarDate day) {
    calendar_.FillDay(day, Entries());
}

void TimeBars::ListComplete() {
    FillDay(calendar_.SelectedDate());
    calendar_.SelectPlayingWhenDayEmpty(Entries(), channel_.PlayingPath());
}

void TimeBars::DateSelected(CalendarDate day) {
    calendar_.SelectDate(day);
    FillDay(day);
}

bool TimeBars::HourClicked(BarGrid grid, int column) {
    if (column < 0) {
        return false;
    }
    calendar_.SelectHour(column + FirstCellValue(grid));
    return true;
}

int TimeBars::MinuteClicked(BarGrid grid, int column) {
    if (column < 0) {
        return 0;
    }
    calendar_.SelectMinute(column + FirstCellValue(grid));
    const Rgb colour = CellColour(grid, column);
    if ((colour != kRecordingColour && colour != kReadOnlyColour) ||
        channel_.Recordings() == nullptr) {
        return 0;
    }
    return channel_.PlayFileAt(calendar_.SelectedMinuteTime());
}

} // namespace korvex
