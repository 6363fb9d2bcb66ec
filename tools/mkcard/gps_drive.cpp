#include "mkcard/gps_drive.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace korvex::mkcard {
namespace {

constexpr double kMetresPerDegree = 111320.0;
constexpr double kKnotsPerKmh = 1 / 1.852;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

double Wave(int second, double period) {
    return std::sin(2 * std::numbers::pi * second / period);
}

// "ddmm.mmmm" or "dddmm.mmmm" of the magnitude; minutes rounded to four decimals.
std::string DegreesMinutes(double degrees, int degree_digits, double& rounded) {
    const long tenths_of_milliminutes = std::lround(std::fabs(degrees) * 60 * 10000);
    const long whole = tenths_of_milliminutes / (60 * 10000);
    const long minutes = tenths_of_milliminutes % (60 * 10000);
    rounded = static_cast<double>(whole) + static_cast<double>(minutes) / 10000 / 60;
    char text[64];
    std::snprintf(text, sizeof text, "%0*ld%02ld.%04ld", degree_digits, whole, minutes / 10000,
                  minutes % 10000);
    return text;
}

double Rounded(double value, double scale) {
    return std::round(value * scale) / scale;
}

} // namespace

DriveState GpsDrive::StateAt(int second, double latitude, double longitude) {
    DriveState state;
    state.latitude = latitude;
    state.longitude = longitude;
    state.speed_kmh = 45 + 15 * Wave(second, 97) + 5 * Wave(second, 23);
    state.course = std::fmod(60 + 50 * Wave(second, 211) + 360, 360);
    const double accel =
        (15 * 2 * std::numbers::pi / 97) * std::cos(2 * std::numbers::pi * second / 97);
    const double turn =
        (50 * 2 * std::numbers::pi / 211) * std::cos(2 * std::numbers::pi * second / 211);
    state.turn_rate = turn;
    state.x = 0.02 + 0.01 * turn * state.speed_kmh / 36;
    state.y = -0.10 + accel / 9.81 / 3.6;
    state.z = 0.98 + 0.02 * Wave(second, 7);
    return state;
}

void MoveAlongCourse(double& latitude, double& longitude, double metres, double course) {
    const double heading = Radians(course);
    const double start_latitude = latitude;
    latitude += metres * std::cos(heading) / kMetresPerDegree;
    longitude +=
        metres * std::sin(heading) / (kMetresPerDegree * std::cos(Radians(start_latitude)));
}

void GpsDrive::Advance() {
    double latitude = state_.latitude;
    double longitude = state_.longitude;
    MoveAlongCourse(latitude, longitude, state_.speed_kmh / 3.6, state_.course);
    state_ = StateAt(++second_, latitude, longitude);
}

unsigned NmeaChecksum(std::string_view sentence_body) {
    unsigned sum = 0;
    for (char c : sentence_body) {
        sum ^= static_cast<unsigned char>(c);
    }
    return sum;
}

WrittenGpsText FormatGpsText(const DriveState& state, std::time_t utc, bool fix) {
    WrittenGpsText record;
    record.utc = utc;
    record.fix = fix;
    record.x = Rounded(state.x, 100);
    record.y = Rounded(state.y, 100);
    record.z = Rounded(state.z, 100);
    std::tm t{};
    gmtime_r(&utc, &t);
    char clock[48];
    char date[48];
    std::snprintf(clock, sizeof clock, "%02d%02d%02d.000", t.tm_hour, t.tm_min, t.tm_sec);
    std::snprintf(date, sizeof date, "%02d%02d%02d", t.tm_mday, t.tm_mon + 1, t.tm_year % 100);

    std::string body;
    if (fix) {
        double latitude = 0;
        double longitude = 0;
        const std::string lat = DegreesMinutes(state.latitude, 2, latitude);
        const std::string lon = DegreesMinutes(state.longitude, 3, longitude);
        record.latitude = state.latitude < 0 ? -latitude : latitude;
        record.longitude = state.longitude < 0 ? -longitude : longitude;
        record.speed_knots = Rounded(state.speed_kmh * kKnotsPerKmh, 100);
        record.course = Rounded(state.course, 100);
        char fields[128];
        std::snprintf(fields, sizeof fields, "GPRMC,%s,A,%s,%c,%s,%c,%.2f,%.2f,%s,,,A", clock,
                      lat.c_str(), state.latitude < 0 ? 'S' : 'N', lon.c_str(),
                      state.longitude < 0 ? 'W' : 'E', record.speed_knots, record.course, date);
        body = fields;
    } else {
        body = std::string("GPRMC,") + clock + ",V,,,,,,," + date + ",,,N";
    }
    char head[64];
    std::snprintf(head, sizeof head, "X:%+.2f Y:%+.2f Z:%+.2f ", record.x, record.y, record.z);
    char checksum[8];
    std::snprintf(checksum, sizeof checksum, "*%02X", NmeaChecksum(body));
    record.text = std::string(head) + "$" + body + checksum;
    return record;
}

} // namespace korvex::mkcard
