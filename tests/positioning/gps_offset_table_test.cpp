#include "positioning/gps_offset_table.h"
#include "temp_dir.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvex {
namespace {

constexpr double kStep = 0.01;

// Grid coordinates computed as the lookup snaps them, so they compare equal bit for bit.
double Grid(int index) {
    return kStep * index;
}
constexpr double kHalf = kStep / 2;

struct Cell {
    double latitude;
    double lng_offset;
    double lat_offset;
};

struct Column {
    double longitude;
    std::vector<Cell> cells;
};

template <typename T> void Put(std::string& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

std::string TableBytes(double step, const std::vector<Column>& columns) {
    std::size_t cell_count = 0;
    for (const Column& column : columns) {
        cell_count += column.cells.size();
    }
    std::string bytes(32 + 32 * columns.size() + 48 * cell_count, '\x5a');
    std::memcpy(bytes.data(), "$GPSOFF", 8);
    Put(bytes, 8, step);
    Put(bytes, 16, std::uint64_t{columns.size()});
    Put(bytes, 24, std::uint64_t{cell_count});
    std::size_t cell_offset = 32 + 32 * columns.size();
    std::uint32_t first = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::size_t at = 32 + 32 * i;
        Put(bytes, at, columns[i].longitude);
        Put(bytes, at + 24, static_cast<std::uint32_t>(columns[i].cells.size()));
        Put(bytes, at + 28, first);
        first += static_cast<std::uint32_t>(columns[i].cells.size());
        for (const Cell& cell : columns[i].cells) {
            Put(bytes, cell_offset + 8, cell.latitude);
            Put(bytes, cell_offset + 32, cell.lng_offset);
            Put(bytes, cell_offset + 40, cell.lat_offset);
            cell_offset += 48;
        }
    }
    return bytes;
}

template <typename T> std::string Patched(std::string bytes, std::size_t offset, T value) {
    Put(bytes, offset, value);
    return bytes;
}

std::optional<std::pair<double, double>> Offsets(const GpsOffsetTable& table, double longitude,
                                                 double latitude) {
    const OffsetGridEntry* entry = table.Lookup(longitude, latitude);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return std::pair{entry->lng_offset, entry->lat_offset};
}

TEST(GpsOffsetTable, Load) {
    const std::string valid = TableBytes(kStep, {{Grid(12050), {{Grid(2407), 4, 4}}}});
    constexpr std::uint64_t kWrapsColumns = std::uint64_t{1} << 59; // × 32 = 2^64
    constexpr std::uint64_t kWrapsCells = std::uint64_t{1} << 60;   // × 48 = 3 × 2^64
    const struct {
        const char* name;
        std::string bytes;
        bool loads;
        bool finds; // the cell of the valid table, at (120.505, 24.075)
    } cases[] = {
        {"valid", valid, true, true},
        {"empty table of 32 bytes", TableBytes(kStep, {}), true, false},
        {"step 0", Patched(valid, 8, 0.0), true, false},
        {"one byte longer", valid + '\0', false, false},
        {"one byte shorter", valid.substr(0, valid.size() - 1), false, false},
        {"shorter than the header", valid.substr(0, 31), false, false},
        {"no zero byte after the magic", Patched(valid, 7, 'X'), false, false},
        {"other magic", Patched(valid, 0, '#'), false, false},
        {"column count wrapping the size", Patched(valid, 16, 1 + kWrapsColumns), false, false},
        {"cell count wrapping the size", Patched(valid, 24, 1 + kWrapsCells), false, false},
        {"both counts wrapping the size",
         Patched(Patched(valid, 16, 1 + kWrapsColumns), 24, 1 + kWrapsCells), false, false},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GpsOffsetTable table;
        // A failed load after a good one must leave the table empty.
        ASSERT_TRUE(table.Load(test::WriteFile(dir / "good.bin", valid)));
        EXPECT_EQ(table.Load(test::WriteFile(dir / "offset_min.bin", c.bytes)), c.loads);
        EXPECT_EQ(table.Lookup(120.505, 24.075) != nullptr, c.finds);
        EXPECT_EQ(table.Lookup(0, 0), nullptr);
    }
    GpsOffsetTable table;
    EXPECT_FALSE(table.Load(dir / "missing.bin"));
    EXPECT_FALSE(table.Load(dir.path()));
    EXPECT_EQ(table.Lookup(120.505, 24.075), nullptr);
}

TEST(GpsOffsetTable, Lookup) {
    std::string bytes = TableBytes(
        kStep, {
                   {Grid(-1), {{Grid(2400), 1, 1}}},
                   {Grid(0), {{Grid(-2401), 7, 7}, {Grid(-2400), 3, 3}, {Grid(2400), 2, 2}}},
                   {Grid(12050), {{Grid(2407), 4, 4}}},
                   {Grid(12055), {{Grid(2407), 5, 5}}},
                   {Grid(12100), {{Grid(2400) + kStep + 4e-8, 8, 8}}},
                   {Grid(12101), {{Grid(2400) + kStep + 6e-8, 9, 9}}},
                   {Grid(12200), {}},         // becomes a column running past the grid
                   {Grid(12200) + 0.001, {}}, // becomes one whose 32-bit end wraps
                   {Grid(12200) + kHalf, {{Grid(2400), 6, 6}}},
               });
    std::uint64_t cell_count;
    std::memcpy(&cell_count, bytes.data() + 24, sizeof cell_count);
    Put(bytes, 32 + 32 * 6 + 24, std::uint32_t{2});
    Put(bytes, 32 + 32 * 6 + 28, static_cast<std::uint32_t>(cell_count - 1));
    Put(bytes, 32 + 32 * 7 + 24, std::uint32_t{2});
    Put(bytes, 32 + 32 * 7 + 28, std::uint32_t{0xFFFFFFFF});
    test::TempDir dir;
    GpsOffsetTable table;
    ASSERT_TRUE(table.Load(test::WriteFile(dir / "offset_min.bin", bytes)));

    using Found = std::optional<std::pair<double, double>>;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        double longitude;
        double latitude;
        Found found;
    } cases[] = {
        {"cell of the column", Grid(12050) + kHalf, Grid(2407) + kHalf, Found{{4, 4}}},
        {"next column two steps away", Grid(12053) + kHalf, Grid(2407) + kHalf, std::nullopt},
        {"past the last column", 130, 24, std::nullopt},
        {"above the column's cells", Grid(12050) + kHalf, 30, std::nullopt},
        {"far below the column's first cell", Grid(12050) + kHalf, 10.005, std::nullopt},
        {"latitude step + 4e-8 away", Grid(12100) + kHalf, Grid(2400) + kHalf, Found{{8, 8}}},
        {"latitude step + 6e-8 away", Grid(12101) + kHalf, Grid(2400) + kHalf, std::nullopt},
        {"negative longitude cut toward zero", -kHalf, Grid(2400) + kHalf, Found{{2, 2}}},
        {"negative latitude cut toward zero", -kHalf, Grid(-2400) - kHalf, Found{{3, 3}}},
        {"columns running past the grid are absent", Grid(12200) + kHalf, Grid(2400) + kHalf,
         Found{{6, 6}}},
        {"not a number", kNaN, 24, std::nullopt},
        {"grid index beyond 32 bits", 1e300, 24, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Offsets(table, c.longitude, c.latitude), c.found);
    }
}

} // namespace
} // namespace korvex
