#include "camera/camera_settings.h"
#include "camera/crc32.h"

#include <gtest/gtest.h>
#include <vector>

namespace korvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr CameraSettings kClock2015{.year = 2015, .month = 6, .day = 15, .hour = 23, .minute = 59};

const Bytes kDefaults1980 = {0x3C, 0xF2, 0x5D, 0x14, 0x00, 0x01, 0x08, 0x00,
                             0x70, 0x50, 0x02, 0x04, 0x84, 0x02, 0x00, 0xFD};
const Bytes kDefaults2015 = {0xD5, 0x5B, 0x8E, 0x8F, 0x02, 0x36, 0x7D, 0xFB,
                             0x70, 0x50, 0x02, 0x04, 0x84, 0x02, 0x00, 0xFD};

// Payload byte `k` changed, then the CRC made to match again.
Bytes Edited(Bytes bytes, std::size_t k, std::uint8_t value) {
    bytes[4 + k] = value;
    const std::uint32_t crc = Crc32(std::span(bytes).subspan(4, 12));
    for (int i = 0; i < 4; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    }
    return bytes;
}

Bytes Encoded(const CameraSettings& settings) {
    const auto bytes = EncodeCameraSettings(settings);
    return Bytes(bytes.begin(), bytes.end());
}

TEST(CameraSettings, EncodesTheCameraVectors) {
    const struct {
        const char* name;
        CameraSettings settings;
        Bytes bytes;
    } cases[] = {
        {"defaults, clock left alone", CameraSettings{}, kDefaults1980},
        {"defaults, clock 2015-06-15 23:59", kClock2015, kDefaults2015},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Encoded(c.settings), c.bytes);
        EXPECT_EQ(DecodeCameraSettings(c.bytes), c.settings);
    }
}

TEST(CameraSettings, AcceptsOnlyAMatchingCrcAndMarker) {
    Bytes bad_crc = kDefaults1980;
    bad_crc[3] ^= 0x01;
    Bytes longer = kDefaults2015;
    longer.push_back(0x00);
    const struct {
        const char* name;
        Bytes bytes;
        bool accepted;
    } cases[] = {
        {"marker 0xFD", kDefaults1980, true},
        {"marker 0xFC", Edited(kDefaults1980, 11, 0xFC), true},
        {"marker 0xFE", Edited(kDefaults1980, 11, 0xFE), false},
        {"marker 0x00", Edited(kDefaults1980, 11, 0x00), false},
        {"CRC off by one bit", bad_crc, false},
        {"15 bytes", Bytes(kDefaults1980.begin(), kDefaults1980.end() - 1), false},
        {"17 bytes: the first 16 count", longer, true},
        {"empty", Bytes{}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeCameraSettings(c.bytes).has_value(), c.accepted);
    }
    // Any single payload bit changed without a new CRC makes the file ignored.
    for (std::size_t bit = 0; bit < 96; ++bit) {
        Bytes flipped = kDefaults2015;
        flipped[4 + bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
        EXPECT_FALSE(DecodeCameraSettings(flipped)) << "payload bit " << bit;
    }
}

TEST(CameraSettings, KeepsValuesBeyondTheTablesAndRewritesTheMarker) {
    // language 15 in payload byte 0, white balance 15 in byte 5, capture period 15 in byte 9,
    // stored by an older writer with marker 0xFC.
    Bytes stored = Edited(kDefaults1980, 0, 0xF0);
    stored = Edited(stored, 5, 0x5F);
    stored = Edited(stored, 9, 0xF2);
    stored = Edited(stored, 11, 0xFC);
    const auto settings = DecodeCameraSettings(stored);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->language, 15u);
    EXPECT_EQ(settings->whiteBalance, 15u);
    EXPECT_EQ(settings->capPeriod, 15u);
    EXPECT_EQ(Encoded(*settings), Edited(stored, 11, 0xFD));
}

TEST(CameraSettings, CutsEachValueToItsField) {
    const struct {
        const char* name;
        unsigned CameraSettings::*member;
        unsigned value;
        unsigned stored;
    } cases[] = {
        {"mic", &CameraSettings::mic, 5, 1},
        {"tvStandard", &CameraSettings::tvStandard, 7, 3},
        {"day", &CameraSettings::day, 33, 1},
        {"minute", &CameraSettings::minute, 69, 5},
        {"whiteBalance", &CameraSettings::whiteBalance, 0x1F, 0xF},
        {"recGSensor", &CameraSettings::recGSensor, 0x12, 2},
        {"year", &CameraSettings::year, 1980 + 256 + 3, 1983},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CameraSettings settings = kClock2015;
        settings.*c.member = c.value;
        CameraSettings expected = settings;
        expected.*c.member = c.stored;
        EXPECT_EQ(DecodeCameraSettings(Encoded(settings)), expected);
    }
}

} // namespace
} // namespace korvex
