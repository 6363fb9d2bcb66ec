#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace korvex {

// The camera's own settings as kept in its 16-byte settings file. Every enumerated field is the
// index of its entry in the field's value table (camera_setting_fields.h); the members start at
// the camera's defaults. The clock 1980-01-01 00:00 asks the camera to leave its clock alone;
// any other value asks it to set its clock to that local time. Seconds are not stored.
struct CameraSettings {
    unsigned language = 0;
    unsigned year = 1980; // 1980 to 2235
    unsigned month = 1;
    unsigned day = 1;
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned timeZone = 28;
    unsigned tvStandard = 0;
    unsigned frequency = 1;
    unsigned mic = 1;
    unsigned whiteBalance = 0;
    unsigned effect = 0;
    unsigned sensorSensitivity = 2;
    unsigned recResolution = 0;
    unsigned recQuality = 1;
    unsigned recGSensor = 2;
    unsigned capResolution = 1;
    unsigned capMode = 0;
    unsigned capPeriod = 0;
    unsigned capGSensor = 2;
    unsigned speedUnit = 0;

    bool operator==(const CameraSettings&) const = default;
};

inline constexpr std::size_t kCameraSettingsSize = 16;

// The file's bytes: the CRC-32 of the payload (most significant byte first), then the 12-byte
// bit-packed payload, whose last byte is the marker 0xFD. Each value is cut to its field's
// width, so a value too large for its field cannot spill into its neighbours.
std::array<std::uint8_t, kCameraSettingsSize> EncodeCameraSettings(const CameraSettings& settings);

// The record held by the first 16 of `bytes`, or nothing when there are fewer, the marker is
// neither 0xFC nor 0xFD, or the CRC does not match. Values beyond their value tables are kept.
std::optional<CameraSettings> DecodeCameraSettings(std::span<const std::uint8_t> bytes);

} // namespace korvex
