#pragma once

// A drive through town for the demo card: cruising between junctions, slowing down for turns,
// stopping at lights and pulling away again, so that speed, course, route and G-sensor all move
// the way a real drive's do. The manoeuvres repeat, so a card of any length has them.

#include "mkcard/gps_drive.h"

#include <cstddef>

namespace korvex::mkcard {

class TownDrive final : public Drive {
public:
    TownDrive();
    const DriveState& Now() const override { return state_; }
    void Advance() override;

private:
    // Moves on by dt seconds; returns the acceleration (m/s^2) and turn rate (degrees/s) used.
    void Step(double dt, double& acceleration, double& turn_rate);
    void NextManoeuvre();

    int second_ = 0;
    size_t manoeuvre_ = 0;
    double manoeuvre_seconds_ = 0; // time spent in the current manoeuvre
    double turned_ = 0;            // degrees of the current turn done so far
    double stopped_seconds_ = 0;   // time stood still in the current stop
    double speed_ = 0;             // m/s, kept unrounded between seconds
    DriveState state_;
};

} // namespace korvex::mkcard
