#pragma once

// The numbers behind the panel's read-outs and instruments, without widgets.

#include "app/g_sensor_sample.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace korvex {

// The panel's scale: 0.75 in UI mode 0 (960 x 600), 1 in the larger modes.
double PanelScale(int ui_mode);
// `value` times `scale`, truncated, and rounded half up.
int ScaledDown(int value, double scale);
int ScaledRounded(int value, double scale);

// The speed read-out's text: `kmh` in the unit of speed (0 km/h, 1 mile/h, 2 knot; any other
// unit shows km/h) as "%3.0f".
std::string SpeedText(double kmh, int unit_of_speed);

// "%12f %c" of the absolute value, with N or S (E or W) by the sign.
std::string LatitudeText(double latitude);
std::string LongitudeText(double longitude);

// The G-sensor graph's samples, oldest first, as many as the graph is wide.
class GSensorHistory {
public:
    explicit GSensorHistory(std::size_t capacity) : capacity_(capacity) {}
    // 220 x the scale of `ui_mode`.
    static std::size_t CapacityFor(int ui_mode);

    void Push(const GSensorSample& sample);
    const std::deque<GSensorSample>& Samples() const { return samples_; }
    std::size_t Capacity() const { return capacity_; }

private:
    std::size_t capacity_;
    std::deque<GSensorSample> samples_;
};

// Spaces the read-outs' repaints: at most one every 150 ms.
class RepaintThrottle {
public:
    static constexpr std::int64_t kIntervalMs = 150;
    // True, and `now_ms` becomes the last repaint, when more than the interval has passed
    // since the last repaint (or there was none).
    bool Due(std::int64_t now_ms);

private:
    bool repainted_ = false;
    std::int64_t last_ms_ = 0;
};

// The volume bar: how much of its 202 pixels shows grey for the volume slider at `position`
// (0-27), in unscaled pixels.
int VolumeBarGreyWidth(int position);

} // namespace korvex
