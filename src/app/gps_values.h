#pragma once

// What a GPS text of a recording says, as plain values: read from the texts in positioning/,
// carried with the pictures by the stream reader and the packet buffers, written into
// snapshots and routes.

#include <optional>

namespace korvex {

// The four values a GPS text delivers. The map view keeps its own copy, which the speed and
// position read-outs also read; there is no date or time.
struct GpsRecord {
    double latitude = 0;  // signed decimal degrees, north positive
    double longitude = 0; // signed decimal degrees, east positive
    double speed = 0;     // km/h
    double course = 0;    // degrees, as the sentence writes it
};

// A UTC moment as a $GPRMC sentence writes it, whole seconds.
struct RmcTime {
    int year = 0; // four digits
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Where the car was, how fast and which way it went, when a GPS text had a valid fix: what a
// picture's snapshot and the exported route carry.
struct GpsFix {
    GpsRecord record;
    std::optional<RmcTime> utc; // the sentence's time and date, when it names a real moment
};

} // namespace korvex
