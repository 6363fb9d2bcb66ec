#include "stream/pes_header.h"

namespace korvex {

namespace {

constexpr std::size_t kFixedHeaderSize = 9; // start code, stream id, length, flags, header length
constexpr std::size_t kTimeStampSize = 5;
constexpr double kTicksPerSecond = 90000.0;

double TimeStampAt(const std::uint8_t* at) {
    const std::uint64_t value = (std::uint64_t{at[0] & 0x0Eu} << 29) |
                                (std::uint64_t{at[1]} << 22) |
                                (std::uint64_t{at[2] & 0xFEu} << 14) | (std::uint64_t{at[3]} << 7) |
                                (std::uint64_t{at[4]} >> 1);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)) / kTicksPerSecond;
}

} // namespace

std::optional<PesHeader> ParsePesHeader(std::span<const std::uint8_t> pes) {
    if (pes.size() < kFixedHeaderSize || pes[0] != 0x00 || pes[1] != 0x00 || pes[2] != 0x01) {
        return std::nullopt;
    }
    const int flags = pes[7] >> 6;
    PesHeader header;
    header.payload_offset = kFixedHeaderSize + pes[8];
    if (header.payload_offset >= pes.size()) {
        return std::nullopt;
    }
    const std::size_t stamps = flags == 3 ? 2 : flags == 2 ? 1 : 0;
    if (kFixedHeaderSize + stamps * kTimeStampSize > pes.size()) {
        return std::nullopt;
    }
    if (stamps >= 1) {
        header.has_pts = true;
        header.pts = TimeStampAt(&pes[kFixedHeaderSize]);
    }
    if (stamps == 2) {
        header.dts = TimeStampAt(&pes[kFixedHeaderSize + kTimeStampSize]);
    }
    return header;
}

} // namespace korvex
