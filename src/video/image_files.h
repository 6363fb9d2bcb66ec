#pragma once

// Image files of 32-bit pictures in B, G, R, X byte order, `stride` bytes a row, top row
// first. The file is replaced as a whole (app/atomic_file.h): a failure leaves the old file or
// none, never a truncated one.

#include <cstdint>
#include <filesystem>

namespace korvex {

// A Windows bitmap: 24 bits per pixel, bottom-up rows, no compression.
bool WriteBmp(const std::filesystem::path& path, const uint8_t* pixels, int width, int height,
              int stride);

// A baseline JPEG file (4:2:0 chroma, quality 90) through libturbojpeg.
bool WriteJpeg(const std::filesystem::path& path, const uint8_t* pixels, int width, int height,
               int stride);

} // namespace korvex
