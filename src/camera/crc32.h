#pragma once

#include <cstdint>
#include <span>

namespace korvex {

// The IEEE 802.3 CRC-32 (reflected polynomial 0xEDB88320, initial value and final complement
// 0xFFFFFFFF), the same value zlib's crc32 gives.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

} // namespace korvex
