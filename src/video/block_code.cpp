#include "video/block_code.h"

#include <algorithm>
#include <array>

namespace korvex {
namespace {

// 8 x 8 pixels a cell at 320 x 180, whole macroblock quarters at the usual sizes.
constexpr int kColumns = kBlockCodeColumns;
constexpr int kRows = kBlockCodeRows;
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

// Cells must differ this much in brightness for a code to be taken as present.
constexpr int kMinimumContrast = 48;

using Bits = BlockCodeCells;

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

} // namespace

Bits EncodeBlockCode(BlockCode code) {
    Bits bits{};
    int at = 0;
    const uint64_t payload = Payload(code);
    PutBits(bits, at, kSync, kSyncBits);
    PutBits(bits, at, payload, kNumberBits + kIndexBits);
    PutBits(bits, at, Crc8(payload, kNumberBits + kIndexBits), kCrcBits);
    return bits;
}

namespace {

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

CellBox BlockCodeCellBox(int column, int row, int width, int height) {
    const auto edge = [](int cell, int size, double cells_across) {
        return static_cast<int>(cell * size / cells_across);
    };
    return {edge(column, width, kCellsAcross), edge(row, height, kCellsDown),
            edge(column + 1, width, kCellsAcross), edge(row + 1, height, kCellsDown)};
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

} // namespace korvex
