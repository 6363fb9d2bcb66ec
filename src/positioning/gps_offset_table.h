#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

namespace korvex {

// One column of the offset grid, as stored in the file (little-endian, 32 bytes).
struct OffsetLngEntry {
    double longitude;          // grid longitude of the column
    std::uint8_t reserved[16]; // not read
    std::uint32_t entry_count; // grid entries of the column
    std::uint32_t first_entry; // index of its first grid entry
};

// One cell of the offset grid, as stored in the file (little-endian, 48 bytes).
struct OffsetGridEntry {
    std::uint8_t reserved0[8];  // not read
    double latitude;            // grid latitude of the cell
    std::uint8_t reserved1[16]; // not read
    double lng_offset;          // degrees to add to the longitude on road maps
    double lat_offset;          // degrees to add to the latitude on road maps
};

// The grid of map-frame shifts read from "offset_min.bin": a 32-byte header ("$GPSOFF" and a
// zero byte, the grid step, the column count, the cell count), the columns in ascending order of
// longitude, then the cells, each column's consecutive and in ascending order of latitude.
// Empty until a load succeeds; every lookup in an empty table gives null.
//
// Loaded on the start-up thread before the windows run, looked up on the user-interface
// thread; no locking.
class GpsOffsetTable {
public:
    // Reads and accepts the file: the right magic and exactly 32 + 32 * columns + 48 * cells
    // bytes. Any failure leaves the table empty.
    bool Load(const std::filesystem::path& path);

    // The cell for a position, or null: both coordinates are cut toward zero onto the grid; the
    // first column at or above the longitude is taken when it lies within one step of it, then
    // its first cell at or above the latitude when it lies within one step (plus 5e-8). A
    // column whose cells run past the grid is treated as absent.
    const OffsetGridEntry* Lookup(double longitude, double latitude) const;

private:
    void Clear();

    double step_ = 0;
    std::uint64_t lng_count_ = 0;
    std::uint64_t cell_count_ = 0;
    std::unique_ptr<OffsetLngEntry[]> columns_;
    std::unique_ptr<OffsetGridEntry[]> cells_;
};

} // namespace korvex
