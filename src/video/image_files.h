#pragma once

// Image files of 32-bit pictures in B, G, R, X byte order, `stride` bytes a row, top row
// first. The file is replaced as a whole (app/atomic_file.h): a failure leaves the old file or
// none, never a truncated one.

#include <cstdint>
#include <filesystem>
#include <span>

namespace korvex {

// A Windows bitmap: 24 bits per pixel, bottom-up rows, no compression.
bool WriteBmp(const std::filesystem::path& path, const uint8_t* pixels, int width, int height,
              int stride);

// A baseline JPEG file (4:2:0 chroma, quality 90) through libturbojpeg. Non-empty `exif` (what
// an APP1 segment holds after its length, video/exif_block.h) goes into an APP1 segment right
// after the start of the image; more than a segment holds is refused.
bool WriteJpeg(const std::filesystem::path& path, const uint8_t* pixels, int width, int height,
               int stride, std::span<const uint8_t> exif = {});

} // namespace korvex
