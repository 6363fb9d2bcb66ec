#include "ui/panel_readouts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace korvex {

double PanelScale(int ui_mode) {
    return ui_mode == 0 ? 0.75 : 1.0;
}

int ScaledDown(int value, double scale) {
    return static_cast<int>(value * scale);
}

int ScaledRounded(int value, double scale) {
    return static_cast<int>(std::floor(value * scale + 0.5));
}

std::string SpeedText(double kmh, int unit_of_speed) {
    double speed = kmh;
    if (unit_of_speed == 1) {
        speed /= 1.609;
    } else if (unit_of_speed == 2) {
        speed /= 1.852;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%3.0f", speed);
    return text;
}

namespace {

std::string Coordinate(double value, char positive, char negative) {
    // Room for any double: "%f" of 1e308 has over 300 digits.
    char text[400];
    std::snprintf(text, sizeof text, "%12f %c", std::fabs(value), value >= 0 ? positive : negative);
    return text;
}

} // namespace

std::string LatitudeText(double latitude) {
    return Coordinate(latitude, 'N', 'S');
}
std::string LongitudeText(double longitude) {
    return Coordinate(longitude, 'E', 'W');
}

std::size_t GSensorHistory::CapacityFor(int ui_mode) {
    return static_cast<std::size_t>(ScaledDown(220, PanelScale(ui_mode)));
}

void GSensorHistory::Push(const GSensorSample& sample) {
    samples_.push_back(sample);
    while (samples_.size() > capacity_) {
        samples_.pop_front();
    }
}

bool RepaintThrottle::Due(std::int64_t now_ms) {
    if (repainted_ && now_ms - last_ms_ <= kIntervalMs) {
        return false;
    }
    repainted_ = true;
    last_ms_ = now_ms;
    return true;
}

int VolumeBarGreyWidth(int position) {
    return std::clamp(position * 202 / 28, 0, 202);
}

} // namespace korvex
