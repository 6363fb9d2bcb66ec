#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace korvex {

// What the readers take from the header of a complete PES packet.
struct PesHeader {
    std::size_t payload_offset = 0;
    bool has_pts = false;
    double pts = 0; // seconds, 0 when absent
    double dts = 0; // seconds, 0 when absent
};

// Parses the header of the PES packet `pes` (the bytes of one unit, collected from the payloads
// of one PID). None when the bytes do not start with a PES start code, when the header or its
// time stamps run past the bytes, or when nothing follows the header.
//
// A time stamp is the low 32 bits of its 33-bit value taken as a signed number, in seconds: a
// value with bit 31 set is negative and bit 32 is lost, as the recordings' time stamps have
// always been read.
std::optional<PesHeader> ParsePesHeader(std::span<const std::uint8_t> pes);

} // namespace korvex
