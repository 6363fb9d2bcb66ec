#pragma once

// Paints the block code (video/block_code.h) into the generator's pictures.

#include "mkcard/yuv_view.h"
#include "video/block_code.h"

namespace korvex::mkcard {

// Paints the code into the top-left corner of the picture: luma dark and light, neutral chroma.
void WriteBlockCode(const YuvView& picture, BlockCode code);

} // namespace korvex::mkcard
