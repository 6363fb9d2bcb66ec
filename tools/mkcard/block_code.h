#pragma once

// A block code in the top-left corner of every picture: which recording and which picture of it
// this is. Big black and white cells laid out in fractions of the picture size, so the code
// survives compression and scaling and can be read back from a decoded, converted or stretched
// picture.

#include "mkcard/yuv_view.h"

#include <cstdint>
#include <optional>

namespace korvex::mkcard {

struct BlockCode {
    int number = 0; // recording number, 0..65535
    int index = 0;  // picture index in the recording, 0..1048575

    bool operator==(const BlockCode&) const = default;
};

constexpr int kBlockCodeMaxNumber = 0xFFFF;
constexpr int kBlockCodeMaxIndex = 0xFFFFF;

// Paints the code into the picture: luma 16/235, neutral chroma. Number and index are masked to
// their ranges.
void WriteBlockCode(const YuvView& picture, BlockCode code);

// Reads the code from an 8-bit luma plane, or nothing when no valid code is there.
std::optional<BlockCode> ReadBlockCodeLuma(const uint8_t* luma, int width, int height, int stride);

// Reads the code from packed 32-bit pixels whose first three bytes are the colours in either
// order (B,G,R,X or R,G,B,X).
std::optional<BlockCode> ReadBlockCodeRgb32(const uint8_t* pixels, int width, int height,
                                            int stride_bytes);

} // namespace korvex::mkcard
