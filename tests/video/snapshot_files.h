#pragma once

// Reads snapshot files back for the tests: the picture as 32-bit B, G, R, X pixels.

#include "video/video_surface.h"

#include <filesystem>
#include <optional>

namespace korvex::test {

// A 24-bit uncompressed bitmap, as the snapshot writer makes it.
std::optional<VideoSurface> ReadBmp(const std::filesystem::path& path);
std::optional<VideoSurface> ReadJpeg(const std::filesystem::path& path);
// By the file's extension.
std::optional<VideoSurface> ReadImage(const std::filesystem::path& path);

} // namespace korvex::test
