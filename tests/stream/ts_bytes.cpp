#include "ts_bytes.h"

namespace korvex::test {

Bytes MakePacket(int pid, bool unit_start, const Bytes& payload, std::optional<int> stuffing) {
    Bytes packet{0x47, static_cast<std::uint8_t>((unit_start ? 0x40 : 0) | ((pid >> 8) & 0x1F)),
                 static_cast<std::uint8_t>(pid & 0xFF),
                 static_cast<std::uint8_t>(stuffing ? 0x30 : 0x10)};
    if (stuffing) {
        packet.push_back(static_cast<std::uint8_t>(*stuffing));
        for (int i = 0; i < *stuffing && packet.size() < 188; ++i) {
            packet.push_back(i == 0 ? 0x00 : 0xFF);
        }
    }
    packet.insert(packet.end(), payload.begin(), payload.end());
    packet.resize(188, 0xFF);
    return packet;
}

namespace {

void PushTimeStamp(Bytes& out, int marker, std::uint64_t ticks) {
    out.push_back(static_cast<std::uint8_t>((marker << 4) | ((ticks >> 29) & 0x0E) | 1));
    out.push_back(static_cast<std::uint8_t>(ticks >> 22));
    out.push_back(static_cast<std::uint8_t>(((ticks >> 14) & 0xFE) | 1));
    out.push_back(static_cast<std::uint8_t>(ticks >> 7));
    out.push_back(static_cast<std::uint8_t>(((ticks << 1) & 0xFE) | 1));
}

void PushSectionEnd(Bytes& section) {
    const std::size_t length = section.size() - 3 + 4; // after the length field, with the CRC
    section[1] = static_cast<std::uint8_t>(0xB0 | (length >> 8));
    section[2] = static_cast<std::uint8_t>(length);
    section.insert(section.end(), {0xDE, 0xAD, 0xBE, 0xEF}); // not checked by the readers
}

} // namespace

Bytes MakePes(std::optional<std::uint64_t> pts, std::optional<std::uint64_t> dts,
              const Bytes& payload) {
    const int flags = pts ? (dts ? 3 : 2) : 0;
    Bytes pes{0x00,
              0x00,
              0x01,
              0xE0,
              0x00,
              0x00,
              0x80,
              static_cast<std::uint8_t>(flags << 6),
              static_cast<std::uint8_t>(flags == 3   ? 10
                                        : flags == 2 ? 5
                                                     : 0)};
    if (pts) {
        PushTimeStamp(pes, flags == 3 ? 3 : 2, *pts);
    }
    if (dts) {
        PushTimeStamp(pes, 1, *dts);
    }
    pes.insert(pes.end(), payload.begin(), payload.end());
    return pes;
}

Bytes MakePat(const std::vector<std::pair<int, int>>& programs) {
    Bytes section{0x00, 0x00, 0x00, 0x00, 0x01, 0xC1, 0x00, 0x00};
    for (auto [number, pid] : programs) {
        section.insert(section.end(),
                       {static_cast<std::uint8_t>(number >> 8), static_cast<std::uint8_t>(number),
                        static_cast<std::uint8_t>(0xE0 | (pid >> 8)),
                        static_cast<std::uint8_t>(pid)});
    }
    PushSectionEnd(section);
    section.insert(section.begin(), 0x00); // pointer field
    return section;
}

Bytes MakePmt(int pcr_pid, const std::vector<std::pair<int, int>>& streams) {
    Bytes section{0x02,
                  0x00,
                  0x00,
                  0x00,
                  0x01,
                  0xC1,
                  0x00,
                  0x00,
                  static_cast<std::uint8_t>(0xE0 | (pcr_pid >> 8)),
                  static_cast<std::uint8_t>(pcr_pid),
                  0xF0,
                  0x00};
    for (auto [type, pid] : streams) {
        section.insert(section.end(), {static_cast<std::uint8_t>(type),
                                       static_cast<std::uint8_t>(0xE0 | (pid >> 8)),
                                       static_cast<std::uint8_t>(pid), 0xF0, 0x00});
    }
    PushSectionEnd(section);
    section.insert(section.begin(), 0x00);
    return section;
}

Bytes Concat(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

} // namespace korvex::test
