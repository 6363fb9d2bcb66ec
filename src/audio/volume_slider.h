#pragma once

#include <algorithm>

namespace korvex {

// The volume slider of the play-control panel: positions 0..27, 0 the loudest, 27 silence, in
// steps of 2427 (27 x 2427 = 65529, just under full scale).
inline constexpr int kVolumeSliderLast = 27;
inline constexpr unsigned kVolumeSliderStep = 2427;

// The volume set when the slider is moved to `position` (taken into 0..27).
constexpr unsigned VolumeAtSliderPosition(int position) {
    return kVolumeSliderStep *
           static_cast<unsigned>(kVolumeSliderLast - std::clamp(position, 0, kVolumeSliderLast));
}

// Where the slider shows a system volume (0..65535; louder values show as position 0): the
// nearest position, so a volume the sound system has rounded on its way back still shows where
// it was set.
constexpr int SliderPositionForVolume(unsigned volume) {
    const unsigned steps = (volume + kVolumeSliderStep / 2) / kVolumeSliderStep;
    return kVolumeSliderLast - static_cast<int>(std::min(steps, unsigned{kVolumeSliderLast}));
}

} // namespace korvex
