#pragma once

#include "positioning/rmc_time.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace korvex {

// One accepted fix of a route, in the order the recordings carry them.
struct TrackPoint {
    double latitude = 0; // signed decimal degrees, north positive
    double longitude = 0;
    std::optional<RmcTime> time; // UTC, when the sentence names a real moment
};

// The route as a GPX 1.1 document: one track of one segment, a point for every fix, with its
// time when it has one.
std::string GpxText(const std::vector<TrackPoint>& points);

// The route as a KML 2.2 document: one placemark with the points as a line.
std::string KmlText(const std::vector<TrackPoint>& points);

// Writes the route to `path` as KML when its name ends in ".kml" (any case), as GPX otherwise,
// replacing a file there as a whole (app/atomic_file.h). Empty on success.
std::error_code WriteRouteFile(const std::filesystem::path& path,
                               const std::vector<TrackPoint>& points);

} // namespace korvex
