#include "positioning/gps_offset_table.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <new>
#include <type_traits>

namespace korvex {
namespace {

// The entries are read straight from the file into memory.
static_assert(std::endian::native == std::endian::little);
static_assert(sizeof(OffsetLngEntry) == 32 && offsetof(OffsetLngEntry, entry_count) == 24 &&
              offsetof(OffsetLngEntry, first_entry) == 28);
static_assert(sizeof(OffsetGridEntry) == 48 && offsetof(OffsetGridEntry, latitude) == 8 &&
              offsetof(OffsetGridEntry, lng_offset) == 32 &&
              offsetof(OffsetGridEntry, lat_offset) == 40);
static_assert(std::is_trivially_copyable_v<OffsetLngEntry> &&
              std::is_trivially_copyable_v<OffsetGridEntry>);

constexpr char kMagic[8] = "$GPSOFF";
constexpr std::uint64_t kHeaderSize = 32;
constexpr double kLatitudeSlack = 0.00000005;

template <typename Entry>
bool ReadEntries(std::istream& in, std::uint64_t count, std::unique_ptr<Entry[]>& entries) {
    try {
        entries = std::make_unique_for_overwrite<Entry[]>(count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const auto bytes = static_cast<std::streamsize>(count * sizeof(Entry));
    in.read(reinterpret_cast<char*>(entries.get()), bytes);
    return in.gcount() == bytes;
}

// Cuts toward zero onto the grid; false when the grid index does not fit 32 bits (or is not a
// number), where no cell can match.
bool SnapToGrid(double coordinate, double step, double& snapped) {
    const double index = coordinate / step;
    if (!(index > -2147483649.0 && index < 2147483648.0)) {
        return false;
    }
    snapped = step * static_cast<std::int32_t>(index);
    return true;
}

} // namespace

void GpsOffsetTable::Clear() {
    step_ = 0;
    lng_count_ = 0;
    cell_count_ = 0;
    columns_.reset();
    cells_.reset();
}

bool GpsOffsetTable::Load(const std::filesystem::path& path) {
    Clear();
    std::ifstream in(path, std::ios::binary);
    char header[kHeaderSize];
    if (!in.read(header, sizeof header) || std::memcmp(header, kMagic, sizeof kMagic) != 0) {
        return false;
    }
    double step;
    std::uint64_t lng_count;
    std::uint64_t cell_count;
    std::memcpy(&step, header + 8, 8);
    std::memcpy(&lng_count, header + 16, 8);
    std::memcpy(&cell_count, header + 24, 8);

    const std::streamoff length = in.seekg(0, std::ios::end).tellg();
    if (length < static_cast<std::streamoff>(kHeaderSize) || !in.seekg(kHeaderSize)) {
        return false;
    }
    // Each count is bounded first, so a hostile one cannot wrap the size sum around to a
    // matching length.
    const auto body = static_cast<std::uint64_t>(length) - kHeaderSize;
    if (lng_count > body / sizeof(OffsetLngEntry) || cell_count > body / sizeof(OffsetGridEntry) ||
        lng_count * sizeof(OffsetLngEntry) + cell_count * sizeof(OffsetGridEntry) != body) {
        return false;
    }
    std::unique_ptr<OffsetLngEntry[]> columns;
    std::unique_ptr<OffsetGridEntry[]> cells;
    if (!ReadEntries(in, lng_count, columns) || !ReadEntries(in, cell_count, cells)) {
        return false;
    }
    step_ = step;
    lng_count_ = lng_count;
    cell_count_ = cell_count;
    columns_ = std::move(columns);
    cells_ = std::move(cells);
    return true;
}

const OffsetGridEntry* GpsOffsetTable::Lookup(double longitude, double latitude) const {
    double x;
    double y;
    if (step_ == 0 || !SnapToGrid(longitude, step_, x) || !SnapToGrid(latitude, step_, y)) {
        return nullptr;
    }
    for (std::uint64_t i = 0; i < lng_count_; ++i) {
        const OffsetLngEntry& column = columns_[i];
        const std::uint64_t end = std::uint64_t{column.first_entry} + column.entry_count;
        if (!(column.longitude >= x) || end > cell_count_) {
            continue;
        }
        if (std::abs(column.longitude - x) > step_) {
            return nullptr;
        }
        for (std::uint64_t j = column.first_entry; j < end; ++j) {
            const OffsetGridEntry& cell = cells_[j];
            if (cell.latitude >= y) {
                return std::abs(cell.latitude - y) > step_ + kLatitudeSlack ? nullptr : &cell;
            }
        }
        return nullptr;
    }
    return nullptr;
}

} // namespace korvex
