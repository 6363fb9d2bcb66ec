#include "video/bgrx_conversion.h"

extern "C" {
#include <libswscale/swscale.h>
}

namespace korvex {

void ConvertToBgrx(SwsContext* converter, const PicturePlanes& picture, int rows,
                   VideoSurface& target) {
    uint8_t* const planes[4] = {target.plane(0), nullptr, nullptr, nullptr};
    const int strides[4] = {target.stride(0), 0, 0, 0};
    sws_scale(converter, picture.data.data(), picture.stride.data(), 0, rows, planes, strides);
}

} // namespace korvex
