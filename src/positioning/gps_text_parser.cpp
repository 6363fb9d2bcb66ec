#include "positioning/gps_text_parser.h"

#include "app/decimal_text.h"

namespace korvex {
namespace {

void Store(double* output, double value) {
    if (output != nullptr) {
        *output = value;
    }
}

void UpdateGSensor(std::string_view text, GSensorSample& g_sensor) {
    const struct {
        std::string_view label;
        double* axis;
    } axes[] = {{"X:", &g_sensor.x}, {"Y:", &g_sensor.y}, {"Z:", &g_sensor.z}};
    for (const auto& axis : axes) {
        const std::size_t at = text.find(axis.label);
        if (at != std::string_view::npos) {
            *axis.axis = ParseDecimal(text.substr(at + axis.label.size()));
        }
    }
}

// A coordinate field, ending at `comma`, is exactly `degree_digits` degree digits, two minute
// digits, '.', four decimals. The whole degrees come straight from the characters, which are
// not tested to be digits: the shape alone decides what is accepted.
bool ReadCoordinate(std::string_view text, std::size_t field, std::size_t comma,
                    std::size_t degree_digits, double* output) {
    const std::size_t point = text.find('.', field);
    if (point != field + degree_digits + 2 || comma != point + 5) {
        return false;
    }
    int degrees = 0;
    for (std::size_t i = field; i < field + degree_digits; ++i) {
        degrees = degrees * 10 + (text[i] - '0');
    }
    Store(output, degrees + ParseDecimal(text.substr(field + degree_digits)) / 60);
    return true;
}

// The hemisphere letter of a coordinate: `negative` negates it, `positive` leaves it.
bool ApplyHemisphere(char letter, char positive, char negative, double* output) {
    if (letter == negative && output != nullptr) {
        *output = -*output;
    }
    return letter == positive || letter == negative;
}

} // namespace

int ParseGpsText(std::string_view text, GSensorSample& g_sensor, double* latitude,
                 double* longitude, double* speed, double* course) {
    text = text.substr(0, text.find('\0'));
    UpdateGSensor(text, g_sensor);

    const std::size_t sentence = text.find("$GPRMC");
    if (sentence == std::string_view::npos) {
        return 0;
    }
    const std::size_t star = text.find('*', sentence);
    if (star == std::string_view::npos) {
        return 0;
    }
    if (text[star - 1] == 'N') { // mode indicator: data not valid
        return 0;
    }

    // Field i starts at `field` and ends at the next comma anywhere in the rest of the text;
    // fields after the course are not read.
    std::size_t field = sentence;
    for (int i = 0; i <= 8; ++i) {
        const std::size_t comma = text.find(',', field);
        if (comma == std::string_view::npos) {
            break;
        }
        const std::string_view rest = text.substr(field);
        switch (i) {
        case 2:
            if (rest[0] != 'A') {
                return 0;
            }
            break;
        case 3:
            if (!ReadCoordinate(text, field, comma, 2, latitude)) {
                return 0;
            }
            break;
        case 4:
            if (!ApplyHemisphere(rest[0], 'N', 'S', latitude)) {
                return 0;
            }
            break;
        case 5:
            if (!ReadCoordinate(text, field, comma, 3, longitude)) {
                return 0;
            }
            break;
        case 6:
            if (!ApplyHemisphere(rest[0], 'E', 'W', longitude)) {
                return 0;
            }
            break;
        case 7:
            Store(speed, ParseDecimal(rest) * 1.852); // knots to km/h
            break;
        case 8:
            Store(course, ParseDecimal(rest));
            break;
        default:
            break;
        }
        field = comma + 1;
    }
    return 1;
}

} // namespace korvex
