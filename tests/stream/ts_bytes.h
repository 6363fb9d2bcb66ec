#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace korvex::test {

using Bytes = std::vector<std::uint8_t>;

// One transport packet: header, an optional adaptation field of `stuffing` bytes (control 3),
// then `payload`, padded with 0xFF to 188 bytes.
Bytes MakePacket(int pid, bool unit_start, const Bytes& payload, std::optional<int> stuffing = {});

// A PES packet with stream id 0xE0 and the given time stamps (33-bit tick values).
Bytes MakePes(std::optional<std::uint64_t> pts, std::optional<std::uint64_t> dts,
              const Bytes& payload);

// A program association table section (after a zero pointer field) with (number, PMT PID)
// pairs, and a program map table section with (stream type, PID) pairs.
Bytes MakePat(const std::vector<std::pair<int, int>>& programs);
Bytes MakePmt(int pcr_pid, const std::vector<std::pair<int, int>>& streams);

Bytes Concat(const std::vector<Bytes>& parts);

} // namespace korvex::test
