#pragma once

#include "camera/camera_settings.h"

#include <span>
#include <string_view>

namespace korvex {

// One field of the camera settings record, for showing and editing it.
struct CameraSettingField {
    std::string_view name; // the record member's name
    unsigned CameraSettings::*member;
    // The value table, in the order the camera lists it (an index is a position here); empty
    // for the clock fields, which are plain numbers.
    std::span<const std::string_view> texts;
    // Whether the texts are looked up in the language file (with the text as key and
    // fallback); false: shown as they are.
    bool translated;
};

// Every field in record order: language, the clock (year, month, day, hour, minute), then the
// camera's options.
std::span<const CameraSettingField> CameraSettingFields();

} // namespace korvex
