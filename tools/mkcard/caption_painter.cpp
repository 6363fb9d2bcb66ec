#include "mkcard/caption_painter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace korvex::mkcard {
namespace {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kAdvance = kGlyphWidth + 1;
constexpr uint8_t kInk = 235;
constexpr uint8_t kOutline = 16;
constexpr uint8_t kNeutral = 128;

struct Glyph {
    char character;
    std::array<const char*, kGlyphHeight> rows;
};

// clang-format off
constexpr std::array kGlyphs = {
    Glyph{'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    Glyph{'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    Glyph{'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    Glyph{'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    Glyph{'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    Glyph{'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    Glyph{'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    Glyph{'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    Glyph{'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    Glyph{'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    Glyph{'/', {"....#", "...#.", "...#.", "..#..", ".#...", ".#...", "#...."}},
    Glyph{':', {".....", "..#..", "..#..", ".....", "..#..", "..#..", "....."}},
    Glyph{'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    Glyph{'k', {"#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."}},
    Glyph{'m', {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}},
    Glyph{'h', {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
};
// clang-format on

const Glyph* Find(char character) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.character == character) {
            return &glyph;
        }
    }
    return nullptr;
}

// The caption as a grid of cells, one cell per font pixel, with a one-cell margin for the
// outline: 0 empty, 1 outline, 2 ink.
struct CellGrid {
    int columns = 0;
    int rows = kGlyphHeight + 2;
    std::vector<uint8_t> cells;

    uint8_t& At(int column, int row) { return cells[static_cast<size_t>(row * columns + column)]; }
};

CellGrid Cells(std::string_view text) {
    CellGrid grid;
    grid.columns = static_cast<int>(text.size()) * kAdvance + 1;
    grid.cells.assign(static_cast<size_t>(grid.columns * grid.rows), 0);
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph* glyph = Find(text[i]);
        if (glyph == nullptr) {
            continue;
        }
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int column = 0; column < kGlyphWidth; ++column) {
                if (glyph->rows[static_cast<size_t>(row)][column] == '#') {
                    grid.At(static_cast<int>(i) * kAdvance + column + 1, row + 1) = 2;
                }
            }
        }
    }
    // Every empty cell touching ink, also diagonally, becomes outline.
    CellGrid outlined = grid;
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            if (grid.At(column, row) != 0) {
                continue;
            }
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = column + dx;
                    const int y = row + dy;
                    if (x >= 0 && y >= 0 && x < grid.columns && y < grid.rows &&
                        grid.At(x, y) == 2) {
                        outlined.At(column, row) = 1;
                    }
                }
            }
        }
    }
    return outlined;
}

} // namespace

void PaintCaption(const YuvView& picture, std::string_view text) {
    const int scale = std::max(1, picture.height / 240);
    CellGrid grid = Cells(text);
    const int left = std::max(2, picture.height / 60);
    const int top = picture.height - grid.rows * scale - std::max(2, picture.height / 48);
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            const uint8_t cell = grid.At(column, row);
            if (cell == 0) {
                continue;
            }
            const int x0 = left + column * scale;
            const int y0 = top + row * scale;
            const int x1 = std::min(x0 + scale, picture.width);
            if (x0 >= picture.width || y0 < 0) {
                continue;
            }
            for (int y = y0; y < y0 + scale && y < picture.height; ++y) {
                std::memset(picture.y + static_cast<ptrdiff_t>(y) * picture.y_stride + x0,
                            cell == 2 ? kInk : kOutline, static_cast<size_t>(x1 - x0));
                // Grey chroma under the caption, so no colour of the scene bleeds into it.
                const ptrdiff_t chroma_x = x0 / 2;
                const size_t chroma_width = static_cast<size_t>((x1 + 1) / 2 - x0 / 2);
                std::memset(picture.u + static_cast<ptrdiff_t>(y / 2) * picture.u_stride + chroma_x,
                            kNeutral, chroma_width);
                std::memset(picture.v + static_cast<ptrdiff_t>(y / 2) * picture.v_stride + chroma_x,
                            kNeutral, chroma_width);
            }
        }
    }
}

} // namespace korvex::mkcard
