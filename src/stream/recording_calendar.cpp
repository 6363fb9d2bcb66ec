#include "stream/recording_calendar.h"

#include <algorithm>
#include <ctime>

namespace korvex {
namespace {

struct LocalClock {
    LocalDateTime time;
    long utc_offset = 0; // seconds east of UTC
};

LocalClock LocalClockOf(std::int64_t time) {
    const std::time_t t = static_cast<std::time_t>(time);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) {
        return {};
    }
    const CalendarDate date{std::chrono::year{local.tm_year + 1900},
                            std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                            std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
    return {{date, local.tm_hour, local.tm_min, local.tm_sec}, local.tm_gmtoff};
}

// Seconds of a wall-clock time counted as if every day had 24 hours: what orders local times.
std::int64_t WallSeconds(const LocalDateTime& t) {
    const std::int64_t days = std::chrono::sys_days{t.date}.time_since_epoch().count();
    return days * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

} // namespace

LocalDateTime LocalDateTimeOf(std::int64_t time) {
    return LocalClockOf(time).time;
}

std::int64_t TimeOfLocal(const LocalDateTime& local) {
    std::tm t{};
    t.tm_year = static_cast<int>(local.date.year()) - 1900;
    t.tm_mon = static_cast<int>(static_cast<unsigned>(local.date.month())) - 1;
    t.tm_mday = static_cast<int>(static_cast<unsigned>(local.date.day()));
    t.tm_hour = local.hour;
    t.tm_min = local.minute;
    t.tm_sec = local.second;
    t.tm_isdst = -1; // the C library decides whether daylight saving applies
    return std::mktime(&t);
}

std::set<CalendarDate> DaysWithRecordings(const std::vector<RecordingEntry>& entries) {
    std::set<CalendarDate> days;
    for (const RecordingEntry& entry : entries) {
        if (entry.start_time > entry.end_time) {
            continue;
        }
        const std::chrono::sys_days first{LocalDateTimeOf(entry.start_time).date};
        const std::chrono::sys_days last{LocalDateTimeOf(entry.end_time).date};
        for (auto day = std::min(first, last); day <= std::max(first, last);
             day += std::chrono::days{1}) {
            days.insert(CalendarDate{day});
        }
    }
    return days;
}

void RecordingCalendar::Clear() {
    minutes_ = {};
    hours_ = {};
}

void RecordingCalendar::FillDay(CalendarDate day, const std::vector<RecordingEntry>& entries) {
    Clear();
    day_ = day;
    for (const RecordingEntry& entry : entries) {
        MarkRecording(entry.start_time, entry.end_time,
                      entry.read_only != 0 ? kReadOnlyRecording : kWritableRecording);
    }
}

void RecordingCalendar::MarkRecording(std::int64_t start, std::int64_t end, int state) {
    if (start > end) {
        return;
    }
    // Where the clock is put back, local times run backward; each stretch between changes of
    // the clock is marked on its own, so the hour shown twice is marked where it was recorded.
    std::int64_t from = start;
    for (;;) {
        const LocalClock first = LocalClockOf(from);
        const LocalClock last = LocalClockOf(end);
        if (first.utc_offset == last.utc_offset) {
            MarkLocalStretch(first.time, last.time, state);
            return;
        }
        std::int64_t before = from; // the last second known on the first clock
        std::int64_t after = end;   // a second known on another clock
        while (after - before > 1) {
            const std::int64_t middle = before + (after - before) / 2;
            (LocalClockOf(middle).utc_offset == first.utc_offset ? before : after) = middle;
        }
        MarkLocalStretch(first.time, LocalDateTimeOf(before), state);
        from = after;
    }
}

void RecordingCalendar::MarkLocalStretch(const LocalDateTime& s, const LocalDateTime& e,
                                         int state) {
    const std::int64_t day_start = WallSeconds({day_, 0, 0, 0});
    const std::int64_t day_end = day_start + 86399;
    const std::int64_t from = WallSeconds(s);
    const std::int64_t to = WallSeconds(e);
    if (from > to || from > day_end || to < day_start) {
        return;
    }
    if (from <= day_start) {
        if (to >= day_end) {
            RaiseFullHours(0, 23, state);
        } else {
            RaiseFullHours(0, e.hour - 1, state);
            RaiseHour(e.hour, state);
            RaiseMinutes(e.hour, 0, e.minute, state);
        }
        return;
    }
    RaiseHour(s.hour, state);
    if (to >= day_end) {
        RaiseMinutes(s.hour, s.minute, 59, state);
        RaiseFullHours(s.hour + 1, 23, state);
    } else if (s.hour < e.hour) {
        RaiseMinutes(s.hour, s.minute, 59, state);
        RaiseFullHours(s.hour + 1, e.hour - 1, state);
        RaiseHour(e.hour, state);
        RaiseMinutes(e.hour, 0, e.minute, state);
    } else {
        RaiseMinutes(s.hour, s.minute, e.minute, state);
    }
}

void RecordingCalendar::RaiseHour(int hour, int state) {
    int& cell = hours_[Index(hour)];
    cell = std::max(cell, state);
}

void RecordingCalendar::RaiseMinutes(int hour, int first, int last, int state) {
    for (int minute = first; minute <= last; ++minute) {
        int& cell = minutes_[Index(hour)][Index(minute)];
        cell = std::max(cell, state);
    }
}

void RecordingCalendar::RaiseFullHours(int first, int last, int state) {
    for (int hour = first; hour <= last; ++hour) {
        RaiseHour(hour, state);
        RaiseMinutes(hour, 0, 59, state);
    }
}

bool RecordingCalendar::DayHasRecordings() const {
    return std::any_of(hours_.begin(), hours_.end(),
                       [](int state) { return state != kNoRecording; });
}

std::int64_t RecordingCalendar::SelectedMinuteTime() const {
    return TimeOfLocal({selected_date_, selected_hour_, selected_minute_, 0});
}

bool RecordingCalendar::SelectPlayingWhenDayEmpty(const std::vector<RecordingEntry>& entries,
                                                  std::string_view playing_path) {
    if (DayHasRecordings()) {
        return false;
    }
    const auto playing = std::find_if(entries.begin(), entries.end(), [&](const RecordingEntry& e) {
        return e.path == playing_path;
    });
    if (playing == entries.end()) {
        return false;
    }
    const LocalDateTime start = LocalDateTimeOf(playing->start_time);
    selected_date_ = start.date;
    selected_hour_ = start.hour;
    FillDay(selected_date_, entries);
    return true;
}

} // namespace korvex
