#include "positioning/rmc_time.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

namespace korvex {
namespace {

TEST(RmcTime, ReadsTheTimeAndDateFieldsWhenTheyAreValid) {
    const struct {
        std::string text;
        std::optional<RmcTime> want;
    } kCases[] = {
        {"X:+0.01 Y:-0.02 Z:+1.00 "
         "$GPRMC,083005.000,A,4807.0380,N,01131.0000,E,22.4,84.4,170524,,,A*5C",
         RmcTime{2024, 5, 17, 8, 30, 5}},
        {"$GPRMC,235959,V,,,,,,,311299,,,N*00", RmcTime{1999, 12, 31, 23, 59, 59}},
        {"$GPRMC,120000.5,A,,,,,,,290224", RmcTime{2024, 2, 29, 12, 0, 0}}, // ends at the date
        {"$GPRMC,120000,A,,,,,,,290223,,,A", std::nullopt},                 // no 29 February
        {"$GPRMC,240000,A,,,,,,,010124,,,A", std::nullopt},
        {"$GPRMC,126000,A,,,,,,,010124,,,A", std::nullopt},
        {"$GPRMC,12000,A,,,,,,,010124,,,A", std::nullopt},   // short time
        {"$GPRMC,120000x,A,,,,,,,010124,,,A", std::nullopt}, // not a fraction
        {"$GPRMC,120000.,A,,,,,,,011324,,,A", std::nullopt}, // month 13
        {"$GPRMC,120000,A,,,,,,,000124,,,A", std::nullopt},  // day 0
        {"$GPRMC,120000,A,,,,,,,01012,,,A", std::nullopt},   // short date
        {"$GPRMC,,A,,,,,,,010124,,,A", std::nullopt},
        {"$GPRMC,120000,A,,,,,,*00,010124", std::nullopt}, // the date after the checksum
        {"$GPRMC,120000,A,,,,,,", std::nullopt},           // ends before the date
        {"$GPRMC,120000,A,,,,,,,01", std::nullopt},        // the text ends inside the date
        {std::string("$GPRMC,120000,A,,,,,,,01\0"
                     "0124",
                     29),
         std::nullopt}, // zero ends it
        {"GPRMC,120000,A,,,,,,,010124,,,A", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : kCases) {
        const auto got = ParseRmcTime(c.text);
        ASSERT_EQ(got.has_value(), c.want.has_value()) << c.text;
        if (got) {
            EXPECT_EQ(got->year, c.want->year) << c.text;
            EXPECT_EQ(got->month, c.want->month) << c.text;
            EXPECT_EQ(got->day, c.want->day) << c.text;
            EXPECT_EQ(got->hour, c.want->hour) << c.text;
            EXPECT_EQ(got->minute, c.want->minute) << c.text;
            EXPECT_EQ(got->second, c.want->second) << c.text;
        }
    }
}

TEST(RmcTime, ReadsNothingPastTheEndOfTheText) {
    // A copy exactly as long as the text, so that ASan sees any read beyond it.
    const std::string sentence = "$GPRMC,120000,A,,,,,,,010124";
    for (std::size_t length = 0; length <= sentence.size(); ++length) {
        const auto cut = std::make_unique<char[]>(length);
        std::copy_n(sentence.data(), length, cut.get());
        const auto got = ParseRmcTime(std::string_view(cut.get(), length));
        EXPECT_EQ(got.has_value(), length == sentence.size()) << length;
    }
}

} // namespace
} // namespace korvex
