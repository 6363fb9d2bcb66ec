#pragma once

namespace korvex {

// The colour matrix that turns a picture's Y, U, V samples into R, G, B.
enum class ColourMatrix { kBt601, kBt709 };

// How a decoded picture's samples are to be read: their range (limited: Y 16-235, U and V
// 16-240; full: 0-255) and the matrix.
struct PictureColour {
    bool full_range = false;
    ColourMatrix matrix = ColourMatrix::kBt601;

    bool operator==(const PictureColour&) const = default;
};

// What a decoded picture says of itself (FFmpeg's pixel format, colour range and colour space
// values): full range for a yuvj format or a range that says full; BT.709 when the colour space
// says so, or says nothing and the picture is high definition (720 lines or more); BT.601
// otherwise.
PictureColour ColourOfPicture(int pixel_format, int colour_range, int colour_space, int height);

// The conversion as arithmetic on samples scaled to 0..1, for converters outside FFmpeg (the
// video window's shader):
//   y' = (y - y_offset) * y_scale, u' = (u - 0.5 * 256 / 255) * uv_scale, v' likewise,
//   r = y' + r_v * v', g = y' + g_u * u' + g_v * v', b = y' + b_u * u'.
struct YuvToRgb {
    float y_offset = 0;
    float y_scale = 1;
    float uv_scale = 1;
    float r_v = 0;
    float g_u = 0;
    float g_v = 0;
    float b_u = 0;
};
YuvToRgb YuvToRgbOf(const PictureColour& colour);

} // namespace korvex
