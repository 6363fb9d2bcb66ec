#include "positioning/gps_fix.h"

#include "app/g_sensor_sample.h"

namespace korvex {

std::optional<GpsFix> FixOfGpsText(std::string_view text, GpsRecord& carried) {
    GSensorSample g_sensor; // not wanted here
    if (ParseGpsText(text, g_sensor, &carried.latitude, &carried.longitude, &carried.speed,
                     &carried.course) != 1) {
        return std::nullopt;
    }
    return GpsFix{carried, ParseRmcTime(text)};
}

} // namespace korvex
