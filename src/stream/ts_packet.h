#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace korvex {

inline constexpr std::size_t kTsPacketSize = 188;
inline constexpr std::uint8_t kTsSyncByte = 0x47;

// A stream PID that has not been learnt yet; it matches no packet.
inline constexpr int kNoPid = -1;

// The header fields of one transport packet that the readers use, and where its payload is.
struct PacketHeader {
    bool error = false;      // transport error indicator
    bool unit_start = false; // payload unit start indicator
    int pid = 0;             // 13 bits
    int adaptation = 0;      // adaptation field control, 0-3
    std::span<const std::uint8_t> payload;
};

// Decodes the packet of kTsPacketSize bytes at `packet`. A packet with the error indicator set or
// with adaptation field control 0 carries nothing usable: none. The payload is the tail of the
// packet after the adaptation field (empty for control 2, and when the field claims the whole
// packet or more).
std::optional<PacketHeader> DecodeHeader(const std::uint8_t* packet);

} // namespace korvex
