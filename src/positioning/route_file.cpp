#include "positioning/route_file.h"

#include "app/atomic_file.h"
#include "app/file_extension.h"

#include <algorithm>
#include <cstdio>

namespace korvex {
namespace {

// printf into a string; the texts here are short and bounded.
template <typename... Values> std::string Format(const char* format, Values... values) {
    char text[96];
    const int length = std::snprintf(text, sizeof text, format, values...);
    return std::string(text, static_cast<std::size_t>(std::clamp(length, 0, 95)));
}

} // namespace

std::string GpxText(const std::vector<TrackPoint>& points) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<gpx version=\"1.1\" creator=\"Korvex\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
        "<trk><trkseg>\n";
    for (const TrackPoint& point : points) {
        text += Format("<trkpt lat=\"%.6f\" lon=\"%.6f\">", point.latitude, point.longitude);
        if (point.time) {
            const RmcTime& t = *point.time;
            text += Format("<time>%04d-%02d-%02dT%02d:%02d:%02dZ</time>", t.year, t.month, t.day,
                           t.hour, t.minute, t.second);
        }
        text += "</trkpt>\n";
    }
    return text + "</trkseg></trk>\n</gpx>\n";
}

std::string KmlText(const std::vector<TrackPoint>& points) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
                       "<Placemark><name>Korvex route</name><LineString><coordinates>\n";
    for (const TrackPoint& point : points) {
        text += Format("%.6f,%.6f\n", point.longitude, point.latitude);
    }
    return text + "</coordinates></LineString></Placemark>\n</kml>\n";
}

std::error_code WriteRouteFile(const std::filesystem::path& path,
                               const std::vector<TrackPoint>& points) {
    return WriteFileAtomically(path,
                               LowerExtension(path) == ".kml" ? KmlText(points) : GpxText(points));
}

} // namespace korvex
