#pragma once

// Which days, hours and minutes the recordings of a list cover, as the calendar and the time
// bars show them. The list's times are seconds since 1970; days, hours and minutes are the
// local ones the C library gives for them (TZ, daylight saving, half-hour zones).

#include "stream/recording_entry.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

namespace korvex {

// The state of a minute or an hour: the largest state of the recordings that cover it.
inline constexpr int kNoRecording = 0;
inline constexpr int kWritableRecording = 2;
inline constexpr int kReadOnlyRecording = 3;

using CalendarDate = std::chrono::year_month_day;

// A local wall-clock time: a day and the time of that day.
struct LocalDateTime {
    CalendarDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The local wall-clock time of a time of the list.
LocalDateTime LocalDateTimeOf(std::int64_t time);

// The time of the list a local wall-clock time stands for, daylight saving as the C library
// decides it for that day (a time in the hour skipped in spring counts as the hour after it).
std::int64_t TimeOfLocal(const LocalDateTime& local);

// Every day that holds a part of a recording of the list: from the day it starts to the day it
// ends, so a recording past midnight gives both days.
std::set<CalendarDate> DaysWithRecordings(const std::vector<RecordingEntry>& entries);

// The minute and hour states of one day, and what the user selected: the day, the hour whose
// minutes the minute bars show and the minute clicked last.
class RecordingCalendar {
public:
    explicit RecordingCalendar(CalendarDate today) : selected_date_(today), day_(today) {}

    // Every minute and hour without a recording.
    void Clear();

    // The states of `day` from the recordings of the list (empty without a channel).
    void FillDay(CalendarDate day, const std::vector<RecordingEntry>& entries);

    // Raises the minutes and hours of the filled day that the recording from `start` to `end`
    // (the end minute included) covers to `state`.
    void MarkRecording(std::int64_t start, std::int64_t end, int state);

    int MinuteState(int hour, int minute) const { return minutes_[Index(hour)][Index(minute)]; }
    int HourState(int hour) const { return hours_[Index(hour)]; }
    bool DayHasRecordings() const;

    CalendarDate SelectedDate() const { return selected_date_; }
    int SelectedHour() const { return selected_hour_; }
    int SelectedMinute() const { return selected_minute_; }
    void SelectDate(CalendarDate date) { selected_date_ = date; }
    void SelectHour(int hour) { selected_hour_ = hour; }
    void SelectMinute(int minute) { selected_minute_ = minute; }

    // The time a click on the selected minute stands for: the selected day, hour and minute at
    // 0 seconds.
    std::int64_t SelectedMinuteTime() const;

    // When the filled day shows no recording of the list, selects the day and the hour where
    // the recording at `playing_path` starts and fills that day; true when it did.
    bool SelectPlayingWhenDayEmpty(const std::vector<RecordingEntry>& entries,
                                   std::string_view playing_path);

private:
    static std::size_t Index(int value) { return static_cast<std::size_t>(value); }
    // One stretch whose local times run in the order of the real ones (no change of clock).
    void MarkLocalStretch(const LocalDateTime& s, const LocalDateTime& e, int state);
    void RaiseHour(int hour, int state);
    void RaiseMinutes(int hour, int first, int last, int state);
    void RaiseFullHours(int first, int last, int state);

    std::array<std::array<int, 60>, 24> minutes_{};
    std::array<int, 24> hours_{};
    CalendarDate selected_date_;
    int selected_hour_ = 0;
    int selected_minute_ = 0;
    CalendarDate day_; // the day the states are of
};

} // namespace korvex
