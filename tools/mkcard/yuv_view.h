#pragma once

#include <cstddef>
#include <cstdint>

namespace korvex::mkcard {

// A planar YUV 4:2:0 picture owned elsewhere (an AVFrame's planes, for example).
struct YuvView {
    uint8_t* y = nullptr;
    uint8_t* u = nullptr;
    uint8_t* v = nullptr;
    int y_stride = 0;
    int u_stride = 0;
    int v_stride = 0;
    int width = 0;
    int height = 0;
};

} // namespace korvex::mkcard
