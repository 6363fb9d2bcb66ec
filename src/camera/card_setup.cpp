#include "camera/card_setup.h"

#include "camera/camera_settings_file.h"

#include <chrono>

namespace korvex {

bool IsValidClock(const LocalMinute& clock) {
    const std::chrono::year_month_day date{std::chrono::year(static_cast<int>(clock.year)),
                                           std::chrono::month(clock.month),
                                           std::chrono::day(clock.day)};
    return date.ok() && clock.hour <= 23 && clock.minute <= 59;
}

LocalMinute ClockOf(const CameraSettings& settings) {
    return {settings.year, settings.month, settings.day, settings.hour, settings.minute};
}

bool CardSetup::Fill(std::vector<std::string> cards, const LocalMinute& now) {
    RestoreDefaults(now);
    cards_ = std::move(cards);
    chosen_.reset();
    settings_file_.clear();
    if (cards_.empty()) {
        return false;
    }
    ChooseCard(0);
    return true;
}

void CardSetup::ChooseCard(std::size_t index) {
    if (index >= cards_.size()) {
        return;
    }
    chosen_ = index;
    settings_file_ = std::filesystem::path(cards_[index]) / kCameraSettingsFileName;
    CameraSettings read;
    if (!ReadCameraSettings(settings_file_, read)) {
        return;
    }
    settings_ = read;
    const LocalMinute clock = ClockOf(read);
    // The picker cannot show a clock that is no real date, and the camera must not be asked
    // to take one: such a file leaves the camera's clock alone.
    set_time_ = IsValidClock(clock) && clock != kKeepCameraClock;
    picker_ = set_time_ ? clock : kKeepCameraClock;
    SetClock(picker_);
}

void CardSetup::SetSetTime(bool ticked, const LocalMinute& now) {
    set_time_ = ticked;
    picker_ = ticked ? now : kKeepCameraClock;
    SetClock(picker_);
}

void CardSetup::SetPicker(const LocalMinute& clock) {
    picker_ = clock;
    SetClock(clock);
}

void CardSetup::RestoreDefaults(const LocalMinute& now) {
    settings_ = CameraSettings{};
    set_time_ = false;
    picker_ = kKeepCameraClock;
    SetClock(now);
}

CardSetup::SaveResult CardSetup::Save() const {
    if (!chosen_) {
        return SaveResult::kNoCard;
    }
    return WriteCameraSettings(settings_file_, settings_) ? SaveResult::kSaved
                                                          : SaveResult::kFailed;
}

void CardSetup::SetClock(const LocalMinute& clock) {
    settings_.year = clock.year;
    settings_.month = clock.month;
    settings_.day = clock.day;
    settings_.hour = clock.hour;
    settings_.minute = clock.minute;
}

} // namespace korvex
