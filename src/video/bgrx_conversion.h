#pragma once

#include "video/picture_planes.h"
#include "video/video_surface.h"

struct SwsContext;

namespace korvex {

// Runs `converter` (planar YUV 4:2:0 in, 32-bit B, G, R, X out, same size) over `rows` rows of
// `picture` into `target`, which must already be a kBgrx32 surface of the converter's size. The
// samples are read by the picture's colour (range and matrix): every conversion of a decoded
// picture to RGB in software goes through here.
void ConvertToBgrx(SwsContext* converter, const PicturePlanes& picture, int rows,
                   VideoSurface& target);

} // namespace korvex
