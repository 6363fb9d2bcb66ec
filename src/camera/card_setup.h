#pragma once

#include "camera/camera_settings.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

// A local date and time to the minute, as the camera's clock fields hold it.
struct LocalMinute {
    unsigned year = 1980;
    unsigned month = 1;
    unsigned day = 1;
    unsigned hour = 0;
    unsigned minute = 0;

    bool operator==(const LocalMinute&) const = default;
};

// The clock value that asks the camera to leave its clock alone.
inline constexpr LocalMinute kKeepCameraClock{};

// Whether the fields form a real date and time (month 1 to 12, a day the month has, hour up to
// 23, minute up to 59).
bool IsValidClock(const LocalMinute& clock);

LocalMinute ClockOf(const CameraSettings& settings);

// What the SD card dialog shows and writes, without the widgets: the record the lists edit, the
// Set_Time box and the date picker, the cards to choose from and the settings file of the
// chosen one. User-interface thread only.
class CardSetup {
public:
    enum class SaveResult { kNoCard, kSaved, kFailed };

    // The lists get their content: the camera's defaults, the Set_Time box cleared (so the
    // picker shows the kept clock) while the record's clock is `now`, so that Set without
    // touching the box sets the camera's clock to the moment the lists were filled. Then the
    // first of `cards` (mount points) is chosen and its file loaded. False when there is no card.
    bool Fill(std::vector<std::string> cards, const LocalMinute& now);

    // Chooses a card and loads its settings file when the camera would accept it; a missing or
    // damaged file leaves every value as it is. A clock that is no real date loads as the kept
    // clock, with the box cleared; the other settings still load.
    void ChooseCard(std::size_t index);

    // Ticking the box sets the picker and the record's clock to `now`; clearing it sets both to
    // the kept clock.
    void SetSetTime(bool ticked, const LocalMinute& now);
    // The user changed the picker: the record's clock follows.
    void SetPicker(const LocalMinute& clock);
    // The defaults again, as when the lists were filled; the card stays chosen.
    void RestoreDefaults(const LocalMinute& now);

    // Writes the record to the chosen card's settings file, replacing it atomically.
    SaveResult Save() const;

    CameraSettings& Settings() { return settings_; }
    const CameraSettings& Settings() const { return settings_; }
    bool SetTime() const { return set_time_; }
    const LocalMinute& Picker() const { return picker_; }
    const std::vector<std::string>& Cards() const { return cards_; }
    std::optional<std::size_t> ChosenCard() const { return chosen_; }
    const std::filesystem::path& SettingsFile() const { return settings_file_; }

private:
    void SetClock(const LocalMinute& clock);

    CameraSettings settings_;
    bool set_time_ = false;
    LocalMinute picker_;
    std::vector<std::string> cards_;
    std::optional<std::size_t> chosen_;
    std::filesystem::path settings_file_;
};

} // namespace korvex
