#pragma once

// The list of every text the program passes through CSettings::Translate: the keys of the
// language files in data/Language/. The translation keys test holds the list, the code and the
// files together: every literal the code translates is listed, every listed key is used, and
// every language file has exactly these keys. A new text goes here and, with its translation,
// into each language file.

#include <string_view>

namespace korvex {

// Marks a text that reaches Translate later, from a table, so that the translation keys test
// finds it as it finds the literals passed to Tr and Translate themselves.
constexpr const char* TextKey(const char* key) {
    return key;
}

// The English text is the key; a language file's reader trims blanks around it, so a key is
// listed trimmed.
inline constexpr std::string_view kTranslationKeys[] = {
    // The configuration dialog.
    "Config",
    "Version",
    "Browse",
    "Snapshot Path",
    "Image Type",
    "Continuous Shooting",
    "Language",
    "UIMode",
    "Sound Amplification",
    "Display Mode",
    "Unit Of Speed",
    "OK",
    "Cancel",
    "Screen Resolution is Less than 1280*800",
    "Screen Resolution is Less than 1920*1080",
    "Value of continuous shooting must be more than 0, System already update it",
    "UI has been modified, please restart the program",

    // The panel's tooltips, its Open menu and its messages.
    "Play",
    "BackWardPlay",
    "Pause",
    "Stop",
    "PreFrame",
    "NextFrame",
    "PrevFile",
    "NextFile",
    "Mark In",
    "Mark Out",
    "Backup",
    "Open",
    "Save The Playing File",
    "SnapShot",
    "Map",
    "SD Card Setup",
    "Map Key",
    "Speed",
    "Volume",
    "Open SD Card",
    "Open File",
    "Record SD Card Not Find",

    // The end of a copy or an export.
    "Finish Backup",
    "Backup incomplete: the recordings end before the mark-out point",
    "Backup failed",
    "Backup stopped",

    // The map window and the map key.
    "Map Mode",
    "Input Google Map Key",
    "Google Map Key :",
    "Please input Google Map Key.",
    "Import Google Map key Successfully, please restart the program.",
    "Import Google Map key Fail.",

    // The SD card dialog.
    "SD Card",
    "SD Card:",
    "Format",
    "Clear",
    "Setup",
    "Record",
    "Camera",
    "Set_Time",
    "Data_Time:",
    "Language:",
    "Time_Zone:",
    "TV_Standard:",
    "Frequency:",
    "White_Balance:",
    "Effect:",
    "Sensor_SEN:",
    "MIC:",
    "Unit Of Speed:",
    "REC_Resolution:",
    "REC_Quality:",
    "REC_G-Sensor_SEN:",
    "CAP_Resolution:",
    "CAP_Mode:",
    "CAP_Period:",
    "CAP_G-Sensor_SEN:",
    "Set SD Card",
    "Set",
    "Default",
    "Save Error",
    "Save Success",
    "Are you sure to default the settings?",
    "Are you sure to Format it?",
    "Are you sure to Clear it?",
    "Format Success",
    "Format Fail",
    "Clear Success",
    "Clear Fail",
    "%1 entries could not be deleted, the first: %2",

    // The camera's settings, as the SD card dialog lists them.
    "English",
    "TCHINESE",
    "SCHINESE",
    "GERMANY",
    "ITALY",
    "SPANISH",
    "FRENCH",
    "TURKISH",
    "PORTUGUESE",
    "NETHERLAND",
    "JAPAN",
    "RUSSIA",
    "KOREA",
    "OFF",
    "ON",
    "AUTO",
    "SUNNY",
    "CLOUDY",
    "FLUORESCENT",
    "TUNGSTEN",
    "COLOR",
    "GRAYSCALE",
    "CLASSIC",
    "Level 1",
    "Level 2",
    "Level 3",
    "Level 4",
    "Level 5",
    "1920x1080 30fps",
    "1280x720 60fps",
    "1280x720 30fps",
    "NORMAL",
    "GOOD",
    "BEST",
    "3M",
    "5M",
    "8M",
    "NORMAL CAPTURE",
    "G-Sensor CAPTURE",
    "30 sec",
    "1 min",
    "5 min",
    "30 min",
    "KMH",
    "MPH",
};

} // namespace korvex
