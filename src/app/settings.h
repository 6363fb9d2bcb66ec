#pragma once

#include "app/ini_file.h"
#include "app/language_table.h"

#include <array>
#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace korvex {

// Where the settings live and what the system says; filled from the running program by
// ForThisProgram(), by hand in tests.
struct SettingsLocations {
    std::filesystem::path program_folder;          // holds "Language/"
    std::filesystem::path config_file;             // "Config.ini"
    std::filesystem::path default_snapshot_folder; // used when "Snapshot Path" is missing
    int system_language = 1033;                    // identifier, see LanguageIdentifierOfLocale

    static SettingsLocations ForThisProgram();
};

// The user configuration, read from "Config.ini" at start and written back at exit, and the
// translation of every text the program shows. User-interface thread only, except the two
// fields the workers read, which are atomics.
class CSettings {
public:
    explicit CSettings(SettingsLocations locations);
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // One key of section `section` in "Config.ini". A missing or empty value gives `fallback`;
    // text is cut to 259 characters.
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
    // An optional minus sign and the leading digits; no digit gives 0, a missing or empty value
    // gives `fallback`.
    int ReadInt(std::string_view section, std::string_view key, int fallback) const;
    std::error_code WriteText(std::string_view section, std::string_view key,
                              std::string_view text);
    std::error_code WriteInt(std::string_view section, std::string_view key, int value);

    // Chooses the language in use and marks which languages have a file.
    void LoadLanguage();
    // Reads every configured value; the UI mode is fitted to the primary screen's size.
    void Load(int screen_width, int screen_height);
    // Writes the nine values the program keeps, in one replacement of the file; a snapshot
    // folder whose name holds a line break is left out (invalid_argument).
    std::error_code Save();
    // Makes the language chosen the one in use, at once, and remembers it.
    std::error_code SaveLanguage();

    // The text of `key` in the language in use; the English key when there is no translation.
    std::string Translate(std::string_view key) const;

    bool IsLanguageAvailable(int index) const;
    const SettingsLocations& Locations() const { return locations_; }

    std::string program_folder; // with a trailing '/'
    int language_in_use = kEnglish;
    int language_chosen = kEnglish;
    double default_longitude = 120.528903;
    double default_latitude = 24.077715;
    std::atomic<int> sound_amplification{1}; // 1..10 = 100 %..1000 %, read by the audio worker
    std::string snapshot_folder;
    int ui_mode_in_use = -1; // 0 = 960 x 600, 1 = 1280 x 800, 2 = 1920 x 1080
    int ui_mode_chosen = -1;
    std::atomic<int> display_mode{0}; // 0 = YV12, 1 = RGB presentation, read by the video worker
    int unit_of_speed = 0;            // 0 = km/h, 1 = mile/h, 2 = knot
    int image_type = 0;               // 0 = BMP, 1 = JPEG snapshots
    int continuous_shooting_count = 0;

private:
    std::filesystem::path LanguageFile(int index) const;
    void UseLanguage(int index);

    SettingsLocations locations_;
    std::array<bool, kLanguages.size()> language_available_{};
    IniFile translations_; // the language file of the language in use
};

// The largest UI mode a primary screen of this size allows.
int LargestUiMode(int screen_width, int screen_height);
// A configured UI mode fitted to the screen: an unknown value becomes the largest mode, a value
// above it is lowered to it.
int NormalisedUiMode(int configured, int screen_width, int screen_height);

} // namespace korvex
