#pragma once

// A block code in the top-left corner of a picture: which recording and which picture of it
// this is. The sample-card generator paints one into every picture of its cards; korvex-cli
// reads it back from the pictures it shows, so scripts and tests can tell which picture played.
// Big black and white cells laid out in fractions of the picture size, so the code survives
// compression and scaling and can be read from a decoded, converted or stretched picture.

#include "video/video_surface.h"

#include <array>
#include <cstdint>
#include <optional>

namespace korvex {

struct BlockCode {
    int number = 0; // recording number, 0..65535
    int index = 0;  // picture index in the recording, 0..1048575

    bool operator==(const BlockCode&) const = default;
};

constexpr int kBlockCodeMaxNumber = 0xFFFF;
constexpr int kBlockCodeMaxIndex = 0xFFFFF;

// The cells, row by row: 12 x 4, each 1/40 of the picture's width and 2/45 of its height.
inline constexpr int kBlockCodeColumns = 12;
inline constexpr int kBlockCodeRows = 4;
// Luma of a dark and of a light cell.
inline constexpr uint8_t kBlockCodeDark = 16;
inline constexpr uint8_t kBlockCodeLight = 235;

// Light (true) or dark, cell by cell, first cell first. Number and index are masked to their
// ranges.
using BlockCodeCells = std::array<bool, kBlockCodeColumns * kBlockCodeRows>;
BlockCodeCells EncodeBlockCode(BlockCode code);

// The pixels of the cell at `column` and `row` in a picture of `width` x `height`: columns
// [x0, x1) of rows [y0, y1).
struct CellBox {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};
CellBox BlockCodeCellBox(int column, int row, int width, int height);

// Reads the code from an 8-bit luma plane, or nothing when no valid code is there.
std::optional<BlockCode> ReadBlockCodeLuma(const uint8_t* luma, int width, int height, int stride);

// Reads the code from packed 32-bit pixels whose first three bytes are the colours in either
// order (B,G,R,X or R,G,B,X).
std::optional<BlockCode> ReadBlockCodeRgb32(const uint8_t* pixels, int width, int height,
                                            int stride_bytes);

// The code on a decoded picture in either surface format; nothing when there is none.
std::optional<BlockCode> ReadBlockCode(const VideoSurface& picture);

} // namespace korvex
