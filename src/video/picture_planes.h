#pragma once

#include "video/picture_colour.h"

#include <array>
#include <cstdint>

namespace korvex {

// A decoded picture as planar YUV 4:2:0 owned elsewhere: planes 0, 1, 2 are Y, U, V with their
// line strides in bytes; the fourth pair travels along with them and has no use here. `colour`
// tells how the samples become RGB.
struct PicturePlanes {
    std::array<const uint8_t*, 4> data{};
    std::array<int, 4> stride{};
    PictureColour colour;
};

// Bytes per row and rows of the chroma planes of a 4:2:0 picture of width x height (an odd size
// keeps its last column and row).
constexpr int ChromaWidth(int width) {
    return (width + 1) / 2;
}
constexpr int ChromaHeight(int height) {
    return (height + 1) / 2;
}

} // namespace korvex
