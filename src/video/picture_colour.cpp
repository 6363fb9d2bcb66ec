#include "video/picture_colour.h"

extern "C" {
#include <libavutil/pixfmt.h>
}

namespace korvex {
namespace {

constexpr int kHighDefinitionLines = 720;

} // namespace

PictureColour ColourOfPicture(int pixel_format, int colour_range, int colour_space, int height) {
    PictureColour colour;
    colour.full_range = pixel_format == AV_PIX_FMT_YUVJ420P || colour_range == AVCOL_RANGE_JPEG;
    const bool says_709 = colour_space == AVCOL_SPC_BT709;
    const bool says_nothing = colour_space == AVCOL_SPC_UNSPECIFIED;
    colour.matrix = says_709 || (says_nothing && height >= kHighDefinitionLines)
                        ? ColourMatrix::kBt709
                        : ColourMatrix::kBt601;
    return colour;
}

YuvToRgb YuvToRgbOf(const PictureColour& colour) {
    // The luma weights of red and blue; green takes the rest.
    const bool bt709 = colour.matrix == ColourMatrix::kBt709;
    const double kr = bt709 ? 0.2126 : 0.299;
    const double kb = bt709 ? 0.0722 : 0.114;
    const double kg = 1 - kr - kb;
    YuvToRgb to_rgb;
    if (!colour.full_range) {
        to_rgb.y_offset = 16.0f / 255;
        to_rgb.y_scale = 255.0f / 219;
        to_rgb.uv_scale = 255.0f / 224;
    }
    to_rgb.r_v = static_cast<float>(2 * (1 - kr));
    to_rgb.g_u = static_cast<float>(-2 * kb * (1 - kb) / kg);
    to_rgb.g_v = static_cast<float>(-2 * kr * (1 - kr) / kg);
    to_rgb.b_u = static_cast<float>(2 * (1 - kb));
    return to_rgb;
}

} // namespace korvex
