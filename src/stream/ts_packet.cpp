#include "stream/ts_packet.h"

namespace korvex {

std::optional<PacketHeader> DecodeHeader(const std::uint8_t* packet) {
    PacketHeader header;
    header.error = (packet[1] & 0x80) != 0;
    header.unit_start = (packet[1] & 0x40) != 0;
    header.pid = ((packet[1] & 0x1F) << 8) | packet[2];
    header.adaptation = (packet[3] >> 4) & 0x03;
    if (header.error || header.adaptation == 0) {
        return std::nullopt;
    }
    std::size_t length = 0;
    if (header.adaptation == 1) {
        length = 184;
    } else if (header.adaptation == 3 && packet[4] < 183) {
        length = 183 - packet[4];
    }
    header.payload = {packet + kTsPacketSize - length, length};
    return header;
}

} // namespace korvex
