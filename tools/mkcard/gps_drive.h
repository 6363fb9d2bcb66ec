#pragma once

// Drives for the GPS/G-sensor stream. Each starts at a fixed point and each second's position
// follows from the previous one by the speed and course, so the three agree.

#include "mkcard/card_writer.h"

#include <ctime>

namespace korvex::mkcard {

constexpr double kDriveStartLatitude = 24.077715;
constexpr double kDriveStartLongitude = 120.528903;

struct DriveState {
    double latitude = kDriveStartLatitude;
    double longitude = kDriveStartLongitude;
    double speed_kmh = 0;
    double course = 0;          // degrees, 0 = north, clockwise
    double turn_rate = 0;       // degrees per second, clockwise positive
    double x = 0, y = 0, z = 0; // G-sensor
};

class Drive {
public:
    virtual ~Drive() = default;
    // The state at the current second of driving.
    virtual const DriveState& Now() const = 0;
    // Drives on for one second.
    virtual void Advance() = 0;
};

// A gentle cruise: speed and course swing slowly, never stopping; what the tests' cards carry.
class GpsDrive final : public Drive {
public:
    const DriveState& Now() const override { return state_; }
    void Advance() override;

private:
    int second_ = 0;
    DriveState state_ = StateAt(0, kDriveStartLatitude, kDriveStartLongitude);
    static DriveState StateAt(int second, double latitude, double longitude);
};

// Moves the point by metres along the course (degrees, 0 = north, clockwise).
void MoveAlongCourse(double& latitude, double& longitude, double metres, double course);

// The text of one GPS record: G-sensor labels and an RMC sentence with its checksum. Without a
// fix the sentence has status 'V', empty position fields and mode 'N'.
WrittenGpsText FormatGpsText(const DriveState& state, std::time_t utc, bool fix);

// The NMEA checksum: exclusive-or of the characters between '$' and '*'.
unsigned NmeaChecksum(std::string_view sentence_body);

} // namespace korvex::mkcard
