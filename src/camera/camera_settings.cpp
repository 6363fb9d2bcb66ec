#include "camera/camera_settings.h"

#include "camera/crc32.h"

namespace korvex {
namespace {

constexpr std::uint8_t kMarkerWritten = 0xFD;
constexpr std::uint8_t kMarkerOlder = 0xFC;
constexpr std::size_t kCrcSize = 4;
constexpr unsigned kFirstYear = 1980;

// The low `width` bits of a value.
constexpr unsigned Bits(unsigned value, unsigned width) {
    return value & ((1u << width) - 1);
}

std::uint8_t Byte(unsigned value) {
    return static_cast<std::uint8_t>(value);
}

} // namespace

std::array<std::uint8_t, kCameraSettingsSize> EncodeCameraSettings(const CameraSettings& s) {
    const unsigned year = Bits(s.year - kFirstYear, 8);
    const unsigned hour = Bits(s.hour, 5);
    const unsigned rec_g_sensor = Bits(s.recGSensor, 4);
    std::array<std::uint8_t, kCameraSettingsSize> bytes{};
    std::uint8_t* p = bytes.data() + kCrcSize;
    p[0] = Byte(Bits(s.language, 4) << 4 | year >> 4);
    p[1] = Byte(Bits(year, 4) << 4 | Bits(s.month, 4));
    p[2] = Byte(Bits(s.day, 5) << 3 | hour >> 2);
    p[3] = Byte(Bits(hour, 2) << 6 | Bits(s.minute, 6));
    p[4] = Byte(Bits(s.timeZone, 6) << 2 | Bits(s.tvStandard, 2));
    p[5] = Byte(Bits(s.frequency, 2) << 6 | Bits(s.mic, 2) << 4 | Bits(s.whiteBalance, 4));
    p[6] = Byte(Bits(s.effect, 4) << 4 | Bits(s.sensorSensitivity, 4));
    p[7] = Byte(Bits(s.recResolution, 4) << 4 | Bits(s.recQuality, 2) << 2 | rec_g_sensor >> 2);
    p[8] = Byte(Bits(rec_g_sensor, 2) << 6 | Bits(s.capResolution, 4) << 2 | Bits(s.capMode, 2));
    p[9] = Byte(Bits(s.capPeriod, 4) << 4 | Bits(s.capGSensor, 4));
    p[10] = Byte(Bits(s.speedUnit, 2) << 6);
    p[11] = kMarkerWritten;
    const std::uint32_t crc = Crc32(std::span(bytes).subspan(kCrcSize));
    for (std::size_t i = 0; i < kCrcSize; ++i) {
        bytes[i] = Byte(crc >> (8 * (kCrcSize - 1 - i)));
    }
    return bytes;
}

std::optional<CameraSettings> DecodeCameraSettings(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kCameraSettingsSize) {
        return std::nullopt;
    }
    bytes = bytes.first(kCameraSettingsSize);
    const std::uint8_t* p = bytes.data() + kCrcSize;
    if (p[11] != kMarkerWritten && p[11] != kMarkerOlder) {
        return std::nullopt;
    }
    std::uint32_t stored_crc = 0;
    for (std::size_t i = 0; i < kCrcSize; ++i) {
        stored_crc = stored_crc << 8 | bytes[i];
    }
    if (stored_crc != Crc32(bytes.subspan(kCrcSize))) {
        return std::nullopt;
    }
    CameraSettings s;
    s.language = p[0] >> 4;
    s.year = ((p[0] & 0x0Fu) << 4 | p[1] >> 4) + kFirstYear;
    s.month = p[1] & 0x0Fu;
    s.day = p[2] >> 3;
    s.hour = (p[2] & 0x07u) << 2 | p[3] >> 6;
    s.minute = p[3] & 0x3Fu;
    s.timeZone = p[4] >> 2;
    s.tvStandard = p[4] & 0x03u;
    s.frequency = p[5] >> 6;
    s.mic = (p[5] >> 4) & 0x03u;
    s.whiteBalance = p[5] & 0x0Fu;
    s.effect = p[6] >> 4;
    s.sensorSensitivity = p[6] & 0x0Fu;
    s.recResolution = p[7] >> 4;
    s.recQuality = (p[7] >> 2) & 0x03u;
    s.recGSensor = (p[7] & 0x03u) << 2 | p[8] >> 6;
    s.capResolution = (p[8] >> 2) & 0x0Fu;
    s.capMode = p[8] & 0x03u;
    s.capPeriod = p[9] >> 4;
    s.capGSensor = p[9] & 0x0Fu;
    s.speedUnit = p[10] >> 6;
    return s;
}

} // namespace korvex
