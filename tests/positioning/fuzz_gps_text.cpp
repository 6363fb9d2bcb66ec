#include "positioning/gps_text_parser.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

// The text lives in a heap block of exactly its own size, so any read past its end is caught.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = std::make_unique<char[]>(size);
    std::memcpy(text.get(), data, size);
    korvex::GSensorSample g_sensor;
    korvex::GpsRecord record;
    korvex::ParseGpsText({text.get(), size}, g_sensor, &record.latitude, &record.longitude,
                         &record.speed, &record.course);
    korvex::ParseGpsText({text.get(), size}, g_sensor, nullptr, nullptr, nullptr, nullptr);
    return 0;
}
