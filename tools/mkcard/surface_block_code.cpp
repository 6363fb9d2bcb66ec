#include "mkcard/surface_block_code.h"

namespace korvex::mkcard {

std::optional<BlockCode> ReadBlockCode(const VideoSurface& picture) {
    switch (picture.format()) {
    case VideoSurface::Format::kYuv420:
        return ReadBlockCodeLuma(picture.plane(0), picture.width(), picture.height(),
                                 picture.stride(0));
    case VideoSurface::Format::kBgrx32:
        return ReadBlockCodeRgb32(picture.plane(0), picture.width(), picture.height(),
                                  picture.stride(0));
    case VideoSurface::Format::kNone:
        break;
    }
    return std::nullopt;
}

} // namespace korvex::mkcard
