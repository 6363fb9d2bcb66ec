#pragma once

#include "camera/camera_settings.h"

#include <filesystem>
#include <string_view>

namespace korvex {

// The camera reads its settings from this file in the root folder of its card.
inline constexpr std::string_view kCameraSettingsFileName = "usrset.dat";

// Fills `settings` from the file when it is accepted (see DecodeCameraSettings); otherwise
// returns false and leaves `settings` as it was. A longer file is read from its first 16 bytes.
bool ReadCameraSettings(const std::filesystem::path& path, CameraSettings& settings);

// Replaces the file with the encoded record: written to a temporary file in the same folder,
// flushed to the card, then renamed over the old one, so a card pulled out while saving keeps
// either the old settings or the new ones, never a truncated file. False when the file cannot be
// written, including when the existing file is read-only.
bool WriteCameraSettings(const std::filesystem::path& path, const CameraSettings& settings);

} // namespace korvex
