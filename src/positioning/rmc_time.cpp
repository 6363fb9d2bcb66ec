#include "positioning/rmc_time.h"

#include <cstddef>

namespace korvex {

namespace {

// The comma-separated field `index` of the sentence (0 is the "$GPRMC" itself); the sentence
// ends at '*', a line end or the end of the text.
std::optional<std::string_view> Field(std::string_view sentence, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const std::size_t comma = sentence.find(',', start);
        if (comma == std::string_view::npos) {
            return std::nullopt;
        }
        start = comma + 1;
    }
    std::size_t end = start;
    while (end < sentence.size() && sentence[end] != ',') {
        ++end;
    }
    return sentence.substr(start, end - start);
}

// The two-digit number at `at`, or -1.
int TwoDigits(std::string_view field, std::size_t at) {
    if (at + 2 > field.size()) {
        return -1;
    }
    const char high = field[at];
    const char low = field[at + 1];
    if (high < '0' || high > '9' || low < '0' || low > '9') {
        return -1;
    }
    return (high - '0') * 10 + (low - '0');
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

} // namespace

std::optional<RmcTime> ParseRmcTime(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const std::size_t at = text.find("$GPRMC");
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view sentence = text.substr(at);
    sentence = sentence.substr(0, sentence.find_first_of("*\r\n"));
    const auto clock = Field(sentence, 1);
    const auto date = Field(sentence, 9);
    if (!clock || !date || date->size() != 6) {
        return std::nullopt;
    }
    // hhmmss, then nothing or a fraction.
    if (clock->size() < 6 || (clock->size() > 6 && (*clock)[6] != '.')) {
        return std::nullopt;
    }
    for (std::size_t i = 7; i < clock->size(); ++i) {
        if ((*clock)[i] < '0' || (*clock)[i] > '9') {
            return std::nullopt;
        }
    }
    RmcTime time;
    time.hour = TwoDigits(*clock, 0);
    time.minute = TwoDigits(*clock, 2);
    time.second = TwoDigits(*clock, 4);
    time.day = TwoDigits(*date, 0);
    time.month = TwoDigits(*date, 2);
    const int year = TwoDigits(*date, 4);
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
        time.second > 59 || year < 0 || time.month < 1 || time.month > 12) {
        return std::nullopt;
    }
    time.year = year < 80 ? 2000 + year : 1900 + year;
    if (time.day < 1 || time.day > DaysInMonth(time.year, time.month)) {
        return std::nullopt;
    }
    return time;
}

} // namespace korvex
