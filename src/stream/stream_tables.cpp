#include "stream/stream_tables.h"

#include <optional>

namespace korvex {

namespace {

constexpr int kPatPid = 0;
// Table id, section length, stream or program id, version and section numbers.
constexpr std::size_t kSectionHeaderSize = 8;
constexpr std::size_t kCrcSize = 4;

int Pid13(const std::uint8_t* at) {
    return ((at[0] & 0x1F) << 8) | at[1];
}
int Length12(const std::uint8_t* at) {
    return ((at[0] & 0x0F) << 8) | at[1];
}

// The section that starts after the pointer field of a unit-start payload, if it lies wholly
// inside the payload and is long enough for `minimum` bytes.
std::optional<std::span<const std::uint8_t>> SectionOf(std::span<const std::uint8_t> payload,
                                                       std::size_t minimum) {
    if (payload.empty()) {
        return std::nullopt;
    }
    const std::size_t start = 1 + std::size_t{payload[0]};
    if (start + 3 > payload.size()) {
        return std::nullopt;
    }
    const std::size_t size = 3 + static_cast<std::size_t>(Length12(&payload[start + 1]));
    if (start + size > payload.size() || size < minimum) {
        return std::nullopt;
    }
    return payload.subspan(start, size);
}

} // namespace

void StreamTables::OfferToTables(const PacketHeader& header) {
    if (header.unit_start) {
        if (header.pid == kPatPid && programs_.empty()) {
            if (auto section = SectionOf(header.payload, kSectionHeaderSize + kCrcSize)) {
                ReadProgramAssociation(*section);
            }
        } else if (streams_.empty() && !programs_.empty() && header.pid == programs_[0].pmt_pid) {
            // The map has the PCR PID and the program-info length after the common header.
            if (auto section = SectionOf(header.payload, kSectionHeaderSize + 4)) {
                ReadProgramMap(*section);
            }
        }
    }
    if (!streams_.empty()) {
        AssignPids();
    }
}

void StreamTables::ReadProgramAssociation(std::span<const std::uint8_t> section) {
    const int length = Length12(&section[1]);
    for (int i = 0; i < length - 12; i += 4) {
        const std::uint8_t* entry = &section[kSectionHeaderSize + static_cast<std::size_t>(i)];
        const int number = (entry[0] << 8) | entry[1];
        if (number != 0) { // program 0 names the network PID, which is not used
            programs_.push_back({number, Pid13(entry + 2)});
        }
    }
}

void StreamTables::ReadProgramMap(std::span<const std::uint8_t> section) {
    const int length = Length12(&section[1]);
    pcr_pid_ = Pid13(&section[8]);
    const int program_info_length = Length12(&section[10]);
    // An entry whose offset is at most length - 2 ends inside the section (its CRC included).
    for (int at = 12 + program_info_length; at <= length - 2;) {
        const std::uint8_t* entry = &section[static_cast<std::size_t>(at)];
        const StreamEntry stream{entry[0], Pid13(entry + 1), Length12(entry + 3)};
        streams_.push_back(stream);
        at += 5 + stream.info_length;
    }
}

void StreamTables::AssignPids() {
    for (const StreamEntry& stream : streams_) {
        if (stream.type == kStreamTypeH264) {
            video_pid_ = stream.pid;
        } else if (stream.type == kStreamTypeAac) {
            audio_pid_ = stream.pid;
        } else if (stream.type == kStreamTypeGpsText) {
            gps_pid_ = stream.pid;
        }
    }
    ready_ = true;
}

} // namespace korvex
