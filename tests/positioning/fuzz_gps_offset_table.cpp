#include "positioning/gps_offset_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

double DoubleAt(const std::uint8_t* data, std::size_t size, std::size_t offset) {
    double value = 0;
    if (offset + sizeof value <= size) {
        std::memcpy(&value, data + offset, sizeof value);
    }
    return value;
}

} // namespace

// Loads the input as a table file, then looks up positions taken from the input itself (the
// first column's longitude, cell latitudes where the first cells would lie) and a few fixed ones.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/fuzz_gps_offset_table." + std::to_string(getpid());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    korvex::GpsOffsetTable table;
    const bool loaded = table.Load(path);
    std::remove(path.c_str());
    if (loaded) {
        const double longitude = DoubleAt(data, size, 32);
        const double step = DoubleAt(data, size, 8);
        for (std::size_t cell_at : {64, 96, 128, 160}) {
            const double latitude = DoubleAt(data, size, cell_at + 8);
            table.Lookup(longitude, latitude);
            table.Lookup(longitude + step / 2, latitude - step / 2);
        }
        table.Lookup(0, 0);
        table.Lookup(-0.005, -24.005);
        table.Lookup(120.53, 24.07);
    }
    return 0;
}
