#pragma once

// The rules of the recording calendar and the four time bars below the video: which cells each
// bar has in a UI mode, their widths, labels and colours, and what a click on a cell does. The
// widgets (the bar grids and the month calendar) only show what this says and report clicks.

#include "stream/recording_calendar.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace korvex {

// What the bars need of the channel being played. User-interface thread only.
class BarsChannel {
public:
    virtual ~BarsChannel() = default;
    // The complete recording list, or null while there is no channel.
    virtual const std::vector<RecordingEntry>* Recordings() const = 0;
    // The recording being played; empty without a channel.
    virtual std::string PlayingPath() const = 0;
    // Plays the first recording that ends after `time` unless it is the one playing.
    virtual int PlayFileAt(std::int64_t time) = 0;
};

// The four bars, by their control numbers.
enum class BarGrid {
    kMinutes = 1019,     // minutes 0-29 (0-59 in UI mode 2)
    kLateMinutes = 1022, // minutes 30-59; hidden in UI mode 2
    kHours = 1020,       // hours 0-11 (0-23 in UI mode 2)
    kLateHours = 1023,   // hours 12-23; hidden in UI mode 2
};

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kNoRecordingColour{104, 104, 104};
inline constexpr Rgb kRecordingColour{0, 255, 0};
inline constexpr Rgb kReadOnlyColour{255, 0, 0};

// Grey for no recording, green for states 1 and 2, red for any other.
Rgb StateColour(int state);

bool IsMinuteBar(BarGrid grid);
int ColumnCount(BarGrid grid, int ui_mode);
bool IsShown(BarGrid grid, int ui_mode);
// The minute or hour the first cell of a bar stands for.
int FirstCellValue(BarGrid grid);
// Widths that add up to `client_width`, as even as whole pixels allow.
std::vector<int> ColumnWidths(int client_width, int columns);
// "00", "05", ... in the minute bars every fifth minute; empty elsewhere.
std::string CellLabel(BarGrid grid, int column);

// The state behind the bars and the calendar's marks, and the answers to the user's clicks.
class TimeBars {
public:
    TimeBars(CalendarDate today, BarsChannel& channel) : calendar_(today), channel_(channel) {}

    const RecordingCalendar& Calendar() const { return calendar_; }
    Rgb CellColour(BarGrid grid, int column) const;

    // The days the calendar marks: none without a channel.
    std::set<CalendarDate> DaysToMark() const;
    // The states of `day` from the channel's list.
    void FillDay(CalendarDate day);
    // The recording list is complete: the states of the selected day, or, when that day holds
    // none of the list's recordings, of the day and the hour where the playing one starts.
    void ListComplete();
    // Playback stopped: every cell without a recording.
    void Clear() { calendar_.Clear(); }
    // The user picked a day on the calendar.
    void DateSelected(CalendarDate day);
    // A click on an hour cell (column < 0: none): selects that hour; true when the minute bars
    // must be recoloured.
    bool HourClicked(BarGrid grid, int column);
    // A click on a minute cell (column < 0: none): selects that minute and, on a coloured cell,
    // asks the channel to play the recording at that time; the channel's answer, else 0.
    int MinuteClicked(BarGrid grid, int column);

private:
    const std::vector<RecordingEntry>& Entries() const;

    RecordingCalendar calendar_;
    BarsChannel& channel_;
};

} // namespace korvex
