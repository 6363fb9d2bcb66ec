#include "stream/recording_calendar.h"
#include "time_zone.h"

#include <gtest/gtest.h>
#include <string>

namespace korvex {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

CalendarDate Date(int y, unsigned m, unsigned d) {
    return CalendarDate{year{y}, month{m}, day{d}};
}

// Seconds since 1970 of a local time "YYYY-MM-DD HH:MM:SS" in the zone in force.
std::int64_t Local(const char* text) {
    int y = 0;
    unsigned m = 0, d = 0;
    int h = 0, min = 0, s = 0;
    std::sscanf(text, "%d-%u-%u %d:%d:%d", &y, &m, &d, &h, &min, &s);
    return TimeOfLocal({Date(y, m, d), h, min, s});
}

char Letter(int state) {
    return state == kNoRecording ? '.' : state == kReadOnlyRecording ? 'r' : 'g';
}

// Runs of equal, non-empty states over cells 0..count-1, each written by `name`
// (first, last, state letter), comma-separated.
template <typename State, typename Name> std::string Runs(int count, State state, Name name) {
    std::string runs;
    for (int first = 0; first < count;) {
        int last = first;
        while (last + 1 < count && state(last + 1) == state(first)) {
            ++last;
        }
        if (state(first) != kNoRecording) {
            runs += (runs.empty() ? "" : ",") + name(first, last) + Letter(state(first));
        }
        first = last + 1;
    }
    return runs;
}

std::string TwoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// The day's states: hour runs "08-11g", then minute runs "08:58-11:02g" (a run of the same
// state may pass from one hour into the next).
std::string Describe(const RecordingCalendar& calendar) {
    const std::string hours = Runs(
        24, [&](int h) { return calendar.HourState(h); },
        [](int first, int last) {
            return TwoDigits(first) + (first == last ? "" : "-" + TwoDigits(last));
        });
    const auto clock = [](int minute) {
        return TwoDigits(minute / 60) + ":" + TwoDigits(minute % 60);
    };
    const std::string minutes = Runs(
        24 * 60, [&](int m) { return calendar.MinuteState(m / 60, m % 60); },
        [&](int first, int last) { return clock(first) + "-" + clock(last); });
    return hours + " / " + minutes;
}

struct Recording {
    std::int64_t start;
    std::int64_t end;
    int read_only = 0;
};

std::vector<RecordingEntry> Entries(const std::vector<Recording>& recordings) {
    std::vector<RecordingEntry> entries;
    int number = 1;
    for (const Recording& r : recordings) {
        entries.push_back(
            {number, "/card/REC_" + std::to_string(number) + ".ts", r.start, r.end, r.read_only});
        ++number;
    }
    return entries;
}

// The marking rules hold in every zone: one with daylight saving, two whose offsets are
// half-hours (one of them with daylight saving too). Local times here are on days without a
// change of clock.
class MarkingInZone : public ::testing::TestWithParam<const char*> {
protected:
    test::ScopedTimeZone zone_{GetParam()};
};

TEST_P(MarkingInZone, MarksEachRecordingByItsLocalMinutes) {
    struct Case {
        const char* what;
        std::vector<Recording> recordings;
        CalendarDate day;
        const char* marked;
    };
    const CalendarDate may17 = Date(2024, 5, 17);
    const CalendarDate may18 = Date(2024, 5, 18);
    const Case cases[] = {
        {"past midnight, first day",
         {{Local("2024-05-17 23:50:00"), Local("2024-05-18 00:10:00")}},
         may17,
         "23g / 23:50-23:59g"},
        {"past midnight, next day",
         {{Local("2024-05-17 23:50:00"), Local("2024-05-18 00:10:00")}},
         may18,
         "00g / 00:00-00:10g"},
        {"the end minute is included",
         {{Local("2024-05-17 10:05:00"), Local("2024-05-17 10:07:59")}},
         may17,
         "10g / 10:05-10:07g"},
        {"read-only wins in a shared minute",
         {{Local("2024-05-17 10:00:00"), Local("2024-05-17 10:30:00")},
          {Local("2024-05-17 10:20:30"), Local("2024-05-17 10:21:10"), 1}},
         may17,
         "10r / 10:00-10:19g,10:20-10:21r,10:22-10:30g"},
        {"read-only first, writable after: still red",
         {{Local("2024-05-17 10:20:30"), Local("2024-05-17 10:21:10"), 1},
          {Local("2024-05-17 10:21:00"), Local("2024-05-17 10:22:00")}},
         may17,
         "10r / 10:20-10:21r,10:22-10:22g"},
        {"an end before the start",
         {{Local("2024-05-17 10:07:00"), Local("2024-05-17 10:05:00")}},
         may17,
         " / "},
        {"the whole day covered",
         {{Local("2024-05-16 22:00:00"), Local("2024-05-18 01:00:00")}},
         may17,
         "00-23g / 00:00-23:59g"},
        {"begun the day before",
         {{Local("2024-05-16 23:00:00"), Local("2024-05-17 03:15:30")}},
         may17,
         "00-03g / 00:00-03:15g"},
        {"across several hours",
         {{Local("2024-05-17 08:58:00"), Local("2024-05-17 11:02:00")}},
         may17,
         "08-11g / 08:58-11:02g"},
        {"from midnight to midnight",
         {{Local("2024-05-17 00:00:00"), Local("2024-05-17 00:00:00")}},
         may17,
         "00g / 00:00-00:00g"},
        {"the day's last second",
         {{Local("2024-05-17 23:59:00"), Local("2024-05-17 23:59:59")}},
         may17,
         "23g / 23:59-23:59g"},
        {"another day",
         {{Local("2024-05-18 08:00:00"), Local("2024-05-18 09:00:00")}},
         may17,
         " / "},
    };
    for (const Case& c : cases) {
        RecordingCalendar calendar(c.day);
        calendar.FillDay(c.day, Entries(c.recordings));
        EXPECT_EQ(Describe(calendar), c.marked) << c.what;
    }
}

TEST_P(MarkingInZone, MarksEveryDayARecordingTouches) {
    const auto entries = Entries({
        {Local("2024-05-17 23:50:00"), Local("2024-05-18 00:10:00")},
        {Local("2024-05-20 10:00:00"), Local("2024-05-20 10:01:00")},
        {Local("2024-05-25 10:00:00"), Local("2024-05-22 10:00:00")}, // end before start
        {Local("2024-06-01 22:00:00"), Local("2024-06-03 01:00:00")},
    });
    const std::set<CalendarDate> expected{Date(2024, 5, 17), Date(2024, 5, 18), Date(2024, 5, 20),
                                          Date(2024, 6, 1),  Date(2024, 6, 2),  Date(2024, 6, 3)};
    EXPECT_EQ(DaysWithRecordings(entries), expected);
}

INSTANTIATE_TEST_SUITE_P(Zones, MarkingInZone,
                         ::testing::Values("Europe/Berlin", "Asia/Kolkata", "Australia/Adelaide"));

// On the days the clock changes, a recording is marked at the wall-clock minutes it was
// recorded: in spring no minute of the hour that never was, in autumn both passes of the hour
// shown twice.
TEST(MarkingAcrossAChangeOfClock, MarksTheMinutesOnTheWallClock) {
    struct Case {
        const char* zone;
        const char* start_utc;
        const char* end_utc;
        CalendarDate day;
        const char* marked;
    };
    const Case cases[] = {
        // 01:50 CET to 03:10 CEST
        {"Europe/Berlin", "2024-03-31 00:50:00", "2024-03-31 01:10:00", Date(2024, 3, 31),
         "01g,03g / 01:50-01:59g,03:00-03:10g"},
        // 02:50 CEST to 02:10 CET, twenty minutes later
        {"Europe/Berlin", "2024-10-27 00:50:00", "2024-10-27 01:10:00", Date(2024, 10, 27),
         "02g / 02:00-02:10g,02:50-02:59g"},
        // 02:40 ACDT to 02:20 ACST in Adelaide, the clock back from +10:30 to +9:30
        {"Australia/Adelaide", "2024-04-06 16:10:00", "2024-04-06 16:50:00", Date(2024, 4, 7),
         "02g / 02:00-02:20g,02:40-02:59g"},
    };
    for (const Case& c : cases) {
        test::ScopedTimeZone zone(c.zone);
        RecordingCalendar calendar(c.day);
        calendar.FillDay(c.day, Entries({{test::UtcTime(c.start_utc), test::UtcTime(c.end_utc)}}));
        EXPECT_EQ(Describe(calendar), c.marked) << c.zone << " " << c.start_utc;
    }
}

TEST(SelectedMinuteTime, IsTheLocalMinuteAtZeroSeconds) {
    struct Case {
        const char* zone;
        CalendarDate date;
        int hour;
        int minute;
        const char* utc;
    };
    const Case cases[] = {
        {"Europe/Berlin", Date(2024, 5, 17), 8, 30, "2024-05-17 06:30:00"},     // summer time
        {"Europe/Berlin", Date(2024, 1, 10), 8, 30, "2024-01-10 07:30:00"},     // winter time
        {"Europe/Berlin", Date(2024, 3, 31), 2, 30, "2024-03-31 01:30:00"},     // the skipped hour
        {"Asia/Kolkata", Date(2024, 5, 17), 8, 30, "2024-05-17 03:00:00"},      // +5:30
        {"Australia/Adelaide", Date(2024, 5, 17), 8, 5, "2024-05-16 22:35:00"}, // +9:30
        {"Australia/Adelaide", Date(2024, 1, 10), 0, 0, "2024-01-09 13:30:00"}, // +10:30
    };
    for (const Case& c : cases) {
        test::ScopedTimeZone zone(c.zone);
        RecordingCalendar calendar(c.date);
        calendar.SelectHour(c.hour);
        calendar.SelectMinute(c.minute);
        EXPECT_EQ(calendar.SelectedMinuteTime(), test::UtcTime(c.utc)) << c.zone << " " << c.utc;
    }
}

TEST(SelectPlayingWhenDayEmpty, ShowsTheDayAndHourOfThePlayingRecording) {
    test::ScopedTimeZone zone("Asia/Kolkata");
    const auto entries = Entries({
        {Local("2024-05-17 08:30:00"), Local("2024-05-17 08:35:00")},
        {Local("2024-05-18 13:58:00"), Local("2024-05-18 14:03:00"), 1},
    });

    RecordingCalendar calendar(Date(2026, 12, 10));
    calendar.FillDay(calendar.SelectedDate(), entries);
    EXPECT_FALSE(calendar.SelectPlayingWhenDayEmpty(entries, "/card/missing.ts"));
    EXPECT_EQ(calendar.SelectedDate(), Date(2026, 12, 10));

    ASSERT_TRUE(calendar.SelectPlayingWhenDayEmpty(entries, "/card/REC_2.ts"));
    EXPECT_EQ(calendar.SelectedDate(), Date(2024, 5, 18));
    EXPECT_EQ(calendar.SelectedHour(), 13);
    EXPECT_EQ(Describe(calendar), "13-14r / 13:58-14:03r");

    // A day that shows recordings stays selected.
    calendar.SelectDate(Date(2024, 5, 17));
    calendar.FillDay(calendar.SelectedDate(), entries);
    EXPECT_FALSE(calendar.SelectPlayingWhenDayEmpty(entries, "/card/REC_2.ts"));
    EXPECT_EQ(calendar.SelectedDate(), Date(2024, 5, 17));
}

} // namespace
} // namespace korvex
