#include "video/bgrx_conversion.h"

#include <algorithm>

extern "C" {
#include <libswscale/swscale.h>
}

namespace korvex {
namespace {

// Sets the converter up for the picture's range and matrix, when it is not already.
void ReadSamplesAs(SwsContext* converter, const PictureColour& colour) {
    int* table = nullptr;
    int* target_table = nullptr;
    int full_range = 0;
    int target_range = 0;
    int brightness = 0;
    int contrast = 0;
    int saturation = 0;
    if (sws_getColorspaceDetails(converter, &table, &full_range, &target_table, &target_range,
                                 &brightness, &contrast, &saturation) < 0) {
        return;
    }
    const int* wanted =
        sws_getCoefficients(colour.matrix == ColourMatrix::kBt709 ? SWS_CS_ITU709 : SWS_CS_ITU601);
    if (full_range == static_cast<int>(colour.full_range) &&
        std::equal(wanted, wanted + 4, table)) {
        return;
    }
    sws_setColorspaceDetails(converter, wanted, colour.full_range ? 1 : 0, target_table,
                             target_range, brightness, contrast, saturation);
}

} // namespace

void ConvertToBgrx(SwsContext* converter, const PicturePlanes& picture, int rows,
                   VideoSurface& target) {
    ReadSamplesAs(converter, picture.colour);
    uint8_t* const planes[4] = {target.plane(0), nullptr, nullptr, nullptr};
    const int strides[4] = {target.stride(0), 0, 0, 0};
    sws_scale(converter, picture.data.data(), picture.stride.data(), 0, rows, planes, strides);
}

} // namespace korvex
