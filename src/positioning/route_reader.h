#pragma once

#include "app/g_sensor_sample.h"
#include "positioning/gps_text_parser.h"
#include "positioning/route_file.h"

#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace korvex {

// One GPS text as the route reader reads it: the values carry over from text to text as the
// map view's do.
struct RouteText {
    const std::string& recording; // where the reader is
    int position;                 // thousandths of that recording
    int accepted;                 // ParseGpsText's result
    const GpsRecord& record;
    const GSensorSample& g_sensor;
};

// What to read: a recording, and with `follow` the recordings after it too.
struct RouteReading {
    std::string file;
    bool follow = false;
    // Called on the reader's thread for every text.
    std::function<void(const RouteText& text)> on_text;
};

// Runs the stream reader forward over a recording as playback does, without decoding, and
// collects the route: the accepted fixes in order. A GPS text is complete once the next one
// begins, so without following, a recording's last text is not read. Returns once everything
// there is has been read and the reader has been quiet for half a second, or soon after `stop`
// is requested (with the points so far); none when the buffers or the reader cannot start. The
// calling thread takes the packets; `on_text` runs on the reader's.
std::optional<std::vector<TrackPoint>> ReadRoute(const RouteReading& reading,
                                                 std::stop_token stop = {});

} // namespace korvex
