#include "app/atomic_file.h"
#include "video/image_files.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace korvex {
namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

bool WriteBmp(const std::filesystem::path& path, const uint8_t* pixels, int width, int height,
              int stride) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    const size_t row_bytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const size_t image_bytes = row_bytes * static_cast<size_t>(height);
    const size_t offset = kFileHeaderBytes + kInfoHeaderBytes;
    std::vector<uint8_t> file;
    file.reserve(offset + image_bytes);
    file.push_back('B');
    file.push_back('M');
    Put32(file, static_cast<uint32_t>(offset + image_bytes));
    Put32(file, 0); // reserved
    Put32(file, static_cast<uint32_t>(offset));
    Put32(file, kInfoHeaderBytes);
    Put32(file, static_cast<uint32_t>(width));
    Put32(file, static_cast<uint32_t>(height)); // positive: the bottom row comes first
    Put16(file, 1);                             // planes
    Put16(file, 24);                            // bits per pixel
    Put32(file, 0);                             // no compression
    Put32(file, static_cast<uint32_t>(image_bytes));
    Put32(file, 2835); // 72 dots per inch, both ways
    Put32(file, 2835);
    Put32(file, 0); // colours used
    Put32(file, 0); // important colours
    // One pass into the finished size: rows bottom-up, X dropped, padding left zero.
    file.resize(offset + image_bytes, 0);
    uint8_t* out = file.data() + offset;
    for (int y = height - 1; y >= 0; --y, out += row_bytes) {
        const uint8_t* pixel = pixels + static_cast<ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x, pixel += 4) {
            out[3 * x] = pixel[0];
            out[3 * x + 1] = pixel[1];
            out[3 * x + 2] = pixel[2];
        }
    }
    return !WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
}

} // namespace korvex
