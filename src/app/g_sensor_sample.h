#pragma once

namespace korvex {

// The current G-sensor values of the recording being played, one per axis. An axis keeps its
// value until a GPS text brings a new one.
struct GSensorSample {
    double x = 0;
    double y = 0;
    double z = 0;
};

} // namespace korvex
