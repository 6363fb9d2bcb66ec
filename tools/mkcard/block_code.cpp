#include "mkcard/block_code.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace korvex::mkcard {
namespace {

// 12 x 4 cells, each 1/40 of the picture's width and 2/45 of its height (8 x 8 pixels at
// 320 x 180, whole macroblock quarters at the usual sizes).
constexpr int kColumns = 12;
constexpr int kRows = 4;
constexpr int kCells = kColumns * kRows;
constexpr double kCellsAcross = 40.0;
constexpr double kCellsDown = 22.5;

// Bits, first cell first: a sync pattern, the number, the index, a CRC-8 of number and index.
constexpr uint32_t kSync = 0b1011;
constexpr int kSyncBits = 4;
constexpr int kNumberBits = 16;
constexpr int kIndexBits = 20;
constexpr int kCrcBits = 8;
static_assert(kSyncBits + kNumberBits + kIndexBits + kCrcBits == kCells);

constexpr uint8_t kBlack = 16;
constexpr uint8_t kWhite = 235;
// Cells must differ this much in brightness for a code to be taken as present.
constexpr int kMinimumContrast = 48;

using Bits = std::array<bool, kCells>;

uint8_t Crc8(uint64_t value, int bits) {
    uint8_t crc = 0;
    for (int i = bits - 1; i >= 0; --i) {
        const bool in = ((value >> i) & 1) != 0;
        const bool top = (crc & 0x80) != 0;
        crc = static_cast<uint8_t>(crc << 1);
        if (in != top) {
            crc ^= 0x07;
        }
    }
    return crc;
}

void PutBits(Bits& bits, int& at, uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        bits[static_cast<size_t>(at++)] = ((value >> i) & 1) != 0;
    }
}

uint64_t TakeBits(const Bits& bits, int& at, int count) {
    uint64_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = (value << 1) | (bits[static_cast<size_t>(at++)] ? 1 : 0);
    }
    return value;
}

uint64_t Payload(BlockCode code) {
    return (static_cast<uint64_t>(code.number & kBlockCodeMaxNumber) << kIndexBits) |
           static_cast<uint64_t>(code.index & kBlockCodeMaxIndex);
}

Bits Encode(BlockCode code) {
    Bits bits{};
    int at = 0;
    const uint64_t payload = Payload(code);
    PutBits(bits, at, kSync, kSyncBits);
    PutBits(bits, at, payload, kNumberBits + kIndexBits);
    PutBits(bits, at, Crc8(payload, kNumberBits + kIndexBits), kCrcBits);
    return bits;
}

std::optional<BlockCode> Decode(const Bits& bits) {
    int at = 0;
    if (TakeBits(bits, at, kSyncBits) != kSync) {
        return std::nullopt;
    }
    const uint64_t payload = TakeBits(bits, at, kNumberBits + kIndexBits);
    if (TakeBits(bits, at, kCrcBits) != Crc8(payload, kNumberBits + kIndexBits)) {
        return std::nullopt;
    }
    return BlockCode{static_cast<int>(payload >> kIndexBits),
                     static_cast<int>(payload & kBlockCodeMaxIndex)};
}

int CellEdge(int cell, int size, double cells_across) {
    return static_cast<int>(cell * size / cells_across);
}

void Fill(uint8_t* plane, int stride, int x0, int y0, int x1, int y1, uint8_t value) {
    for (int y = y0; y < y1; ++y) {
        std::memset(plane + static_cast<ptrdiff_t>(y) * stride + x0, value,
                    static_cast<size_t>(x1 - x0));
    }
}

// Averages a 3 x 3 grid of samples in the middle of every cell, then splits the cells at the
// middle between the darkest and the brightest, so brightness and contrast changes do no harm.
template <typename LumaAt>
std::optional<BlockCode> ReadWith(int width, int height, LumaAt luma_at) {
    if (width < kCellsAcross || height < kCellsDown) {
        return std::nullopt;
    }
    std::array<int, kCells> means{};
    constexpr double kSpots[] = {0.3, 0.5, 0.7};
    for (int cell = 0; cell < kCells; ++cell) {
        const int column = cell % kColumns;
        const int row = cell / kColumns;
        int sum = 0;
        for (double fy : kSpots) {
            const int y = static_cast<int>((row + fy) * height / kCellsDown);
            for (double fx : kSpots) {
                const int x = static_cast<int>((column + fx) * width / kCellsAcross);
                sum += luma_at(x, y);
            }
        }
        means[static_cast<size_t>(cell)] = sum / 9;
    }
    const auto [darkest, brightest] = std::minmax_element(means.begin(), means.end());
    if (*brightest - *darkest < kMinimumContrast) {
        return std::nullopt;
    }
    const int threshold = (*darkest + *brightest) / 2;
    Bits bits{};
    for (size_t i = 0; i < bits.size(); ++i) {
        bits[i] = means[i] > threshold;
    }
    return Decode(bits);
}

} // namespace

void WriteBlockCode(const YuvView& picture, BlockCode code) {
    const Bits bits = Encode(code);
    for (int cell = 0; cell < kCells; ++cell) {
        const int column = cell % kColumns;
        const int row = cell / kColumns;
        const int x0 = CellEdge(column, picture.width, kCellsAcross);
        const int x1 = CellEdge(column + 1, picture.width, kCellsAcross);
        const int y0 = CellEdge(row, picture.height, kCellsDown);
        const int y1 = CellEdge(row + 1, picture.height, kCellsDown);
        Fill(picture.y, picture.y_stride, x0, y0, x1, y1,
             bits[static_cast<size_t>(cell)] ? kWhite : kBlack);
    }
    const int x1 = CellEdge(kColumns, picture.width, kCellsAcross);
    const int y1 = CellEdge(kRows, picture.height, kCellsDown);
    Fill(picture.u, picture.u_stride, 0, 0, (x1 + 1) / 2, (y1 + 1) / 2, 128);
    Fill(picture.v, picture.v_stride, 0, 0, (x1 + 1) / 2, (y1 + 1) / 2, 128);
}

std::optional<BlockCode> ReadBlockCodeLuma(const uint8_t* luma, int width, int height, int stride) {
    return ReadWith(width, height, [&](int x, int y) {
        return static_cast<int>(luma[static_cast<ptrdiff_t>(y) * stride + x]);
    });
}

std::optional<BlockCode> ReadBlockCodeRgb32(const uint8_t* pixels, int width, int height,
                                            int stride_bytes) {
    return ReadWith(width, height, [&](int x, int y) {
        const uint8_t* pixel = pixels + static_cast<ptrdiff_t>(y) * stride_bytes + x * 4;
        return (pixel[0] + pixel[1] + pixel[2]) / 3;
    });
}

} // namespace korvex::mkcard
