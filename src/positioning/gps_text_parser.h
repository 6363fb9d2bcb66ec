#pragma once

#include "app/g_sensor_sample.h"
#include "app/gps_values.h"

#include <string_view>

namespace korvex {

// Parses one GPS text of a recording: the G-sensor labels "X:", "Y:", "Z:" and one "$GPRMC"
// sentence, each found anywhere in the text. The text ends at its first zero byte or at the end
// of `text`, whichever comes first; nothing beyond it is read.
//
// `g_sensor` takes every axis whose label is present, whatever the result; an absent label
// keeps its axis. The outputs are written field by field as the sentence is walked, so a check
// failing on a later field leaves the earlier outputs written; a null output is skipped but its
// field is still checked. Returns 1 when the sentence is acceptable: status 'A', latitude
// exactly ddmm.mmmm with N/S, longitude exactly dddmm.mmmm with E/W, mode indicator before the
// '*' not 'N'. A sentence that ends before a field is accepted with the fields reached so far.
//
// The checksum after the '*' is not compared: the field checks above already reject what a
// damaged text would feed the map, and a camera that writes a wrong checksum must not lose its
// whole track.
//
// User-interface thread (the caller owns the sample and the outputs).
int ParseGpsText(std::string_view text, GSensorSample& g_sensor, double* latitude,
                 double* longitude, double* speed, double* course);

} // namespace korvex
