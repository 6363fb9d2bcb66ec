#include "camera/camera_setting_fields.h"

namespace korvex {
namespace {

constexpr std::string_view kLanguages[] = {
    "English", "TCHINESE",   "SCHINESE",   "GERMANY", "ITALY",  "SPANISH", "FRENCH",
    "TURKISH", "PORTUGUESE", "NETHERLAND", "JAPAN",   "RUSSIA", "KOREA"};
constexpr std::string_view kTimeZones[] = {
    "-12", "-11",   "-10", "-9:30", "-9",   "-8",    "-7",   "-6",    "-5", "-4:30",
    "-4",  "-3:30", "-3",  "-2",    "-1",   "0",     "1",    "2",     "3",  "3:30",
    "4",   "4:30",  "5",   "5:30",  "5:45", "6",     "6:30", "7",     "8",  "8:45",
    "9",   "9:30",  "10",  "10:30", "11",   "11:30", "12",   "12:45", "13", "14"};
constexpr std::string_view kTvStandards[] = {"NTSC", "PAL"};
constexpr std::string_view kFrequencies[] = {"50Hz", "60Hz"};
constexpr std::string_view kOffOn[] = {"OFF", "ON"};
constexpr std::string_view kWhiteBalances[] = {"AUTO", "SUNNY", "CLOUDY", "FLUORESCENT",
                                               "TUNGSTEN"};
constexpr std::string_view kEffects[] = {"COLOR", "GRAYSCALE", "CLASSIC"};
constexpr std::string_view kFourLevels[] = {"Level 1", "Level 2", "Level 3", "Level 4"};
constexpr std::string_view kFiveLevels[] = {"Level 1", "Level 2", "Level 3", "Level 4", "Level 5"};
constexpr std::string_view kRecResolutions[] = {"1920x1080 30fps", "1280x720 60fps",
                                                "1280x720 30fps"};
constexpr std::string_view kRecQualities[] = {"NORMAL", "GOOD", "BEST"};
constexpr std::string_view kCapResolutions[] = {"3M", "5M", "8M"};
constexpr std::string_view kCapModes[] = {"NORMAL CAPTURE", "G-Sensor CAPTURE"};
constexpr std::string_view kCapPeriods[] = {"OFF", "30 sec", "1 min", "5 min", "30 min"};
constexpr std::string_view kSpeedUnits[] = {"OFF", "KMH", "MPH"};

constexpr CameraSettingField kFields[] = {
    {"language", &CameraSettings::language, kLanguages, true},
    {"year", &CameraSettings::year, {}, false},
    {"month", &CameraSettings::month, {}, false},
    {"day", &CameraSettings::day, {}, false},
    {"hour", &CameraSettings::hour, {}, false},
    {"minute", &CameraSettings::minute, {}, false},
    {"timeZone", &CameraSettings::timeZone, kTimeZones, false},
    {"tvStandard", &CameraSettings::tvStandard, kTvStandards, false},
    {"frequency", &CameraSettings::frequency, kFrequencies, false},
    {"mic", &CameraSettings::mic, kOffOn, true},
    {"whiteBalance", &CameraSettings::whiteBalance, kWhiteBalances, true},
    {"effect", &CameraSettings::effect, kEffects, true},
    {"sensorSensitivity", &CameraSettings::sensorSensitivity, kFourLevels, true},
    {"recResolution", &CameraSettings::recResolution, kRecResolutions, true},
    {"recQuality", &CameraSettings::recQuality, kRecQualities, true},
    {"recGSensor", &CameraSettings::recGSensor, kFiveLevels, true},
    {"capResolution", &CameraSettings::capResolution, kCapResolutions, true},
    {"capMode", &CameraSettings::capMode, kCapModes, true},
    {"capPeriod", &CameraSettings::capPeriod, kCapPeriods, true},
    {"capGSensor", &CameraSettings::capGSensor, kFiveLevels, true},
    {"speedUnit", &CameraSettings::speedUnit, kSpeedUnits, true},
};

} // namespace

std::span<const CameraSettingField> CameraSettingFields() {
    return kFields;
}

} // namespace korvex
