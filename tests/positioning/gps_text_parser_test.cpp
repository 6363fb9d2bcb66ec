#include "positioning/gps_text_parser.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace korvex {
namespace {

using namespace std::string_literals;

// A sentence with its correct checksum, as a receiver writes it.
std::string Nmea(std::string_view body) {
    unsigned checksum = 0;
    for (char c : body) {
        checksum ^= static_cast<unsigned char>(c);
    }
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", checksum);
    return "$" + std::string(body) + tail;
}

constexpr GSensorSample kBefore{0.5, 0.5, 0.5};

struct ParseCase {
    const char* name;
    std::string text;
    int result;
    // nullopt: the output is left as it was.
    std::optional<double> latitude{};
    std::optional<double> longitude{};
    std::optional<double> speed{};
    std::optional<double> course{};
    GSensorSample g_sensor = kBefore;
};

const std::string kCameraFix =
    "X:0.12 Y:-0.05 Z:1.02 " +
    Nmea("GPRMC,092750.000,A,2404.6629,N,12031.7342,E,10.0,84.4,150615,,,A");

const ParseCase kCases[] = {
    {.name = "camera text",
     .text = kCameraFix,
     .result = 1,
     .latitude = 24 + 4.6629 / 60,
     .longitude = 120 + 31.7342 / 60,
     .speed = 10.0 * 1.852,
     .course = 84.4,
     .g_sensor = {0.12, -0.05, 1.02}},
    {.name = "axis without label keeps its value",
     .text = "X:1.5 Z:-2 $GPRMC,1,A,2404.6629,N,12031.7342,E,,,,,,A*00",
     .result = 1,
     .latitude = 24 + 4.6629 / 60,
     .longitude = 120 + 31.7342 / 60,
     .speed = 0,
     .course = 0,
     .g_sensor = {1.5, 0.5, -2}},
    {.name = "axis numbers read as atof does",
     .text = "X:  -1.5e2abc Y:+.25 Z:e3",
     .result = 0,
     .g_sensor = {-150, 0.25, 0}},
    {.name = "label at the very end reads 0", .text = "Z:", .result = 0, .g_sensor = {0.5, 0.5, 0}},
    {.name = "text ends at its zero byte",
     .text = "X:1\0Y:2 "s + kCameraFix,
     .result = 0,
     .g_sensor = {1, 0.5, 0.5}},
    {.name = "status V rejected, axes still taken",
     .text = "X:3 $GPRMC,092750,V,2404.6629,N,12031.7342,E,0.0,0.0,150615,,,A*00",
     .result = 0,
     .g_sensor = {3, 0.5, 0.5}},
    {.name = "latitude with two decimals",
     .text = "$GPRMC,1,A,2404.66,N,12031.7342,E,0,0,,,,A*00",
     .result = 0},
    {.name = "latitude with five decimals",
     .text = "$GPRMC,1,A,2404.66290,N,12031.7342,E,0,0,,,,A*00",
     .result = 0},
    {.name = "empty latitude", .text = "$GPRMC,1,A,,N,12031.7342,E,0,0,,,,A*00", .result = 0},
    {.name = "south and west are negative",
     .text = "$GPRMC,1,A,2404.6629,S,12031.7342,W,1,2,,,,A*00",
     .result = 1,
     .latitude = -(24 + 4.6629 / 60),
     .longitude = -(120 + 31.7342 / 60),
     .speed = 1.852,
     .course = 2},
    {.name = "lower-case n rejected after the latitude is written",
     .text = "$GPRMC,1,A,2404.6629,n,12031.7342,E,1,2,,,,A*00",
     .result = 0,
     .latitude = 24 + 4.6629 / 60},
    {.name = "invalid E/W rejected after latitude and longitude are written",
     .text = "$GPRMC,1,A,2404.6629,S,12031.7342,e,1,2,,,,A*00",
     .result = 0,
     .latitude = -(24 + 4.6629 / 60),
     .longitude = 120 + 31.7342 / 60},
    {.name = "longitude with three decimals rejected after the latitude is written",
     .text = "$GPRMC,1,A,2404.6629,N,12031.734,E,1,2,,,,A*00",
     .result = 0,
     .latitude = 24 + 4.6629 / 60},
    {.name = "mode N rejected even with status A",
     .text = "$GPRMC,1,A,2404.6629,N,12031.7342,E,1,2,,,,N*00",
     .result = 0},
    {.name = "no comma after the status: accepted, status not examined",
     .text = "$GPRMC,092750,V*00",
     .result = 1},
    {.name = "sentence ending before the hemisphere leaves the latitude unsigned",
     .text = "$GPRMC,1,A,2404.6629,S*00",
     .result = 1,
     .latitude = 24 + 4.6629 / 60},
    {.name = "fields are found past the star",
     .text = "$GPRMC,1,A*00,2404.6629,S",
     .result = 1,
     .latitude = 24 + 4.6629 / 60},
    {.name = "only the first star counts for the mode",
     .text = "N* $GPRMC,1,A,2404.6629,N,12031.7342,E,1,2,,,,A*00 N*",
     .result = 1,
     .latitude = 24 + 4.6629 / 60,
     .longitude = 120 + 31.7342 / 60,
     .speed = 1.852,
     .course = 2},
    {.name = "no star", .text = "$GPRMC,1,A,2404.6629,N,12031.7342,E,1,2,,,,A", .result = 0},
    {.name = "other talkers are not read",
     .text = Nmea("GNRMC,092750,A,2404.6629,N,12031.7342,E,10.0,84.4,150615,,,A"),
     .result = 0},
    {.name = "wrong checksum still accepted",
     .text = "$GPRMC,092750,A,2404.6629,N,12031.7342,E,10.0,84.4,150615,,,A*FF",
     .result = 1,
     .latitude = 24 + 4.6629 / 60,
     .longitude = 120 + 31.7342 / 60,
     .speed = 10.0 * 1.852,
     .course = 84.4},
    // Receiver-like sentences: only four-decimal minutes have the accepted shape.
    {.name = "receiver south-east, four decimals",
     .text = Nmea("GPRMC,081836.000,A,3751.6500,S,14507.3600,E,0.00,360.0,130998,11.3,E,A"),
     .result = 1,
     .latitude = -(37 + 51.65 / 60),
     .longitude = 145 + 7.36 / 60,
     .speed = 0,
     .course = 360},
    {.name = "receiver north-west, four decimals, differential mode",
     .text = Nmea("GPRMC,225446.000,A,4916.4500,N,12311.1200,W,0.5,54.7,191194,20.3,E,D"),
     .result = 1,
     .latitude = 49 + 16.45 / 60,
     .longitude = -(123 + 11.12 / 60),
     .speed = 0.5 * 1.852,
     .course = 54.7},
    {.name = "receiver without mode field, four decimals",
     .text = Nmea("GPRMC,123519,A,4807.0380,N,01131.0000,E,022.4,084.4,230394,003.1,W"),
     .result = 1,
     .latitude = 48 + 7.038 / 60,
     .longitude = 11 + 31.0 / 60,
     .speed = 22.4 * 1.852,
     .course = 84.4},
    {.name = "receiver south-west, three decimals",
     .text = Nmea("GPRMC,120000,A,3436.500,S,05822.700,W,5.2,270.1,010120,,,A"),
     .result = 0},
    {.name = "receiver without mode field, three decimals",
     .text = Nmea("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W"),
     .result = 0},
    {.name = "receiver north-east, two decimals",
     .text = Nmea("GPRMC,031500,A,3541.12,N,13945.67,E,12.0,90.0,050520,,,A"),
     .result = 0},
};

void ExpectOutput(const char* what, std::optional<double> expected, double actual, double before) {
    SCOPED_TRACE(what);
    EXPECT_DOUBLE_EQ(actual, expected.value_or(before));
}

TEST(GpsTextParser, Cases) {
    constexpr double kUntouched = 999;
    for (const ParseCase& c : kCases) {
        SCOPED_TRACE(c.name);
        GSensorSample g_sensor = kBefore;
        double latitude = kUntouched;
        double longitude = kUntouched;
        double speed = kUntouched;
        double course = kUntouched;
        EXPECT_EQ(ParseGpsText(c.text, g_sensor, &latitude, &longitude, &speed, &course), c.result);
        ExpectOutput("latitude", c.latitude, latitude, kUntouched);
        ExpectOutput("longitude", c.longitude, longitude, kUntouched);
        ExpectOutput("speed", c.speed, speed, kUntouched);
        ExpectOutput("course", c.course, course, kUntouched);
        EXPECT_DOUBLE_EQ(g_sensor.x, c.g_sensor.x);
        EXPECT_DOUBLE_EQ(g_sensor.y, c.g_sensor.y);
        EXPECT_DOUBLE_EQ(g_sensor.z, c.g_sensor.z);

        // Null outputs are skipped, but every check on their fields still runs.
        GSensorSample without_outputs = kBefore;
        EXPECT_EQ(ParseGpsText(c.text, without_outputs, nullptr, nullptr, nullptr, nullptr),
                  c.result);
        EXPECT_DOUBLE_EQ(without_outputs.x, c.g_sensor.x);
        EXPECT_DOUBLE_EQ(without_outputs.y, c.g_sensor.y);
        EXPECT_DOUBLE_EQ(without_outputs.z, c.g_sensor.z);
    }
}

} // namespace
} // namespace korvex
