#include "mkcard/block_code.h"

#include <cstddef>
#include <cstring>

namespace korvex::mkcard {
namespace {

void Fill(uint8_t* plane, int stride, const CellBox& box, uint8_t value) {
    for (int y = box.y0; y < box.y1; ++y) {
        std::memset(plane + static_cast<ptrdiff_t>(y) * stride + box.x0, value,
                    static_cast<size_t>(box.x1 - box.x0));
    }
}

} // namespace

void WriteBlockCode(const YuvView& picture, BlockCode code) {
    const BlockCodeCells cells = EncodeBlockCode(code);
    for (size_t cell = 0; cell < cells.size(); ++cell) {
        const int column = static_cast<int>(cell) % kBlockCodeColumns;
        const int row = static_cast<int>(cell) / kBlockCodeColumns;
        Fill(picture.y, picture.y_stride,
             BlockCodeCellBox(column, row, picture.width, picture.height),
             cells[cell] ? kBlockCodeLight : kBlockCodeDark);
    }
    const CellBox last =
        BlockCodeCellBox(kBlockCodeColumns - 1, kBlockCodeRows - 1, picture.width, picture.height);
    const CellBox chroma{0, 0, (last.x1 + 1) / 2, (last.y1 + 1) / 2};
    Fill(picture.u, picture.u_stride, chroma, 128);
    Fill(picture.v, picture.v_stride, chroma, 128);
}

} // namespace korvex::mkcard
