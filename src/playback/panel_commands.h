#pragma once

// The play-control panel's commands as channel operations, in one table: the panel calls these
// with the channel it holds (null when none is open, and then nothing happens), so no widget
// reaches into the channel itself.

#include <cstdint>

namespace korvex {

class CTSChn;

enum class PanelCommand {
    kPlay,              // forward at normal speed, with sound
    kBackwardPlay,      // backward, key pictures only
    kPause,             // holds after the next picture
    kPreviousPicture,   // one picture backward, then holds
    kNextPicture,       // one picture forward, then holds
    kPreviousRecording, // the start of the previous recording
    kNextRecording,     // the start of the next recording
    kMarkIn,            // the clip's start where the reader is now
    kMarkOut,           // the clip's end where the reader is now
};

inline constexpr int kSpeedSliderPositions = 9;
inline constexpr int kSpeedSliderMiddle = 4; // normal speed

// Runs `command` on `channel`. True when the panel then puts its speed slider at the middle.
bool RunPanelCommand(CTSChn* channel, PanelCommand command);

// The speed slider released at `position` (clamped to 0-8): positions 0-8 give the speed
// states 10, 9, 8, 7, 1, 2, 3, 4, 5, and sound plays only at the middle.
void RunSpeedSlider(CTSChn* channel, int position);
int SpeedStateAtSliderPosition(int position);

// The position slider released at `position`, thousandths of the recording (0 does nothing).
void RunPositionSlider(CTSChn* channel, int position);

// The position slider's place `milliseconds` later (earlier when negative) than `position` in a
// recording of `length_ms`, kept within 1-1000 so that it always names a place in the same
// recording; `position` itself when the length is unknown (0).
int PositionSliderAfter(int position, std::int64_t milliseconds, std::int64_t length_ms);

} // namespace korvex
