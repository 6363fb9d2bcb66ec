#pragma once

#include "mkcard/block_code.h"
#include "video/video_surface.h"

#include <optional>

namespace korvex::mkcard {

// The block code on a decoded picture in either surface format; nothing when there is none.
std::optional<BlockCode> ReadBlockCode(const VideoSurface& picture);

} // namespace korvex::mkcard
