#include "camera/camera_settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

// An accepted record written by the viewer (marker 0xFD, unused low bits of payload byte 10
// clear) must encode back to the same 16 bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = std::make_unique<std::uint8_t[]>(size);
    std::memcpy(bytes.get(), data, size);
    const auto settings = korvex::DecodeCameraSettings({bytes.get(), size});
    if (settings && bytes[15] == 0xFD && (bytes[14] & 0x3F) == 0) {
        const auto encoded = korvex::EncodeCameraSettings(*settings);
        if (std::memcmp(encoded.data(), bytes.get(), encoded.size()) != 0) {
            std::abort();
        }
    }
    return 0;
}
