#include "mkcard/ts_muxer.h"

#include "mkcard/psi_sections.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace korvex::mkcard {
namespace {

constexpr uint8_t kVideoStreamId = 0xE0;
constexpr uint8_t kAudioStreamId = 0xC0;
constexpr uint8_t kPrivateStreamId = 0xBD; // private_stream_1: has the optional PES header
constexpr size_t kPayloadSize = kPacketSize - 4;

// Five bytes of a PTS or DTS with its four-bit prefix.
void PutTimestamp(std::vector<uint8_t>& out, unsigned prefix, int64_t value) {
    const uint64_t v = static_cast<uint64_t>(value) & 0x1FFFFFFFFULL;
    out.push_back(static_cast<uint8_t>((prefix << 4) | ((v >> 29) & 0x0E) | 1));
    out.push_back(static_cast<uint8_t>(v >> 22));
    out.push_back(static_cast<uint8_t>(((v >> 14) & 0xFE) | 1));
    out.push_back(static_cast<uint8_t>(v >> 7));
    out.push_back(static_cast<uint8_t>(((v << 1) & 0xFE) | 1));
}

// A PES with a PTS, and a DTS when dts is set. The length field is 0 (unbounded) when the
// packet is too long for it, which only video may be.
std::vector<uint8_t> BuildPes(uint8_t stream_id, int64_t pts, const int64_t* dts,
                              const uint8_t* payload, size_t size) {
    const size_t header_data = dts != nullptr ? 10 : 5;
    const size_t length = 3 + header_data + size;
    std::vector<uint8_t> pes{0, 0, 1, stream_id};
    pes.reserve(6 + length);
    const size_t field = length <= 0xFFFF ? length : 0;
    pes.push_back(static_cast<uint8_t>(field >> 8));
    pes.push_back(static_cast<uint8_t>(field));
    pes.push_back(0x84); // data alignment
    pes.push_back(dts != nullptr ? 0xC0 : 0x80);
    pes.push_back(static_cast<uint8_t>(header_data));
    PutTimestamp(pes, dts != nullptr ? 3 : 2, pts);
    if (dts != nullptr) {
        PutTimestamp(pes, 1, *dts);
    }
    pes.insert(pes.end(), payload, payload + size);
    return pes;
}

void PutPcr(uint8_t* at, int64_t pcr_base) {
    const uint64_t base = static_cast<uint64_t>(pcr_base) & 0x1FFFFFFFFULL;
    at[0] = static_cast<uint8_t>(base >> 25);
    at[1] = static_cast<uint8_t>(base >> 17);
    at[2] = static_cast<uint8_t>(base >> 9);
    at[3] = static_cast<uint8_t>(base >> 1);
    at[4] = static_cast<uint8_t>(((base & 1) << 7) | 0x7E); // extension 0
    at[5] = 0;
}

} // namespace

TsMuxer::TsMuxer(PacketFile& out, bool with_gps) : out_(out), with_gps_(with_gps) {
    std::vector<ProgramStream> streams{{kVideoStreamType, kVideoPid},
                                       {kAudioStreamType, kAudioPid}};
    if (with_gps_) {
        streams.push_back({kGpsStreamType, kGpsPid});
    }
    pat_ = BuildPatSection(kProgramNumber, kPmtPid);
    pmt_ = BuildPmtSection(kProgramNumber, kVideoPid, streams);
}

uint8_t TsMuxer::NextContinuity(uint16_t pid) {
    uint8_t& counter = continuity_[pid];
    const uint8_t value = counter;
    counter = static_cast<uint8_t>((counter + 1) & 0x0F);
    return value;
}

void TsMuxer::WriteSection(uint16_t pid, const std::vector<uint8_t>& section) {
    std::array<uint8_t, kPacketSize> packet;
    packet.fill(0xFF);
    packet[0] = 0x47;
    packet[1] = static_cast<uint8_t>(0x40 | (pid >> 8)); // unit start
    packet[2] = static_cast<uint8_t>(pid);
    packet[3] = static_cast<uint8_t>(0x10 | NextContinuity(pid));
    packet[4] = 0; // pointer field
    std::memcpy(packet.data() + 5, section.data(), section.size());
    out_.Write(packet.data(), false);
}

void TsMuxer::WriteTables() {
    WriteSection(0, pat_);
    WriteSection(kPmtPid, pmt_);
}

void TsMuxer::WritePes(uint16_t pid, const std::vector<uint8_t>& pes, const int64_t* pcr,
                       bool random_access) {
    size_t done = 0;
    bool first = true;
    while (done < pes.size()) {
        std::array<uint8_t, kPacketSize> packet;
        packet[0] = 0x47;
        packet[1] = static_cast<uint8_t>((first ? 0x40 : 0) | (pid >> 8));
        packet[2] = static_cast<uint8_t>(pid);
        // Adaptation field: flags (random access, PCR) on the first packet, stuffing on the last.
        size_t field = 0; // bytes after the length byte
        uint8_t flags = 0;
        if (first && (pcr != nullptr || random_access)) {
            flags = static_cast<uint8_t>((random_access ? 0x40 : 0) | (pcr != nullptr ? 0x10 : 0));
            field = 1 + (pcr != nullptr ? 6 : 0);
        }
        const size_t left = pes.size() - done;
        size_t room = kPayloadSize - (field > 0 ? 1 + field : 0);
        bool has_field = field > 0;
        if (left < room) {
            const size_t stuffing = room - left;
            if (!has_field) {
                // The length byte alone takes one byte; a flags byte and 0xFF fill the rest.
                has_field = true;
                field = stuffing - 1;
            } else {
                field += stuffing;
            }
            room = left;
        }
        packet[3] = static_cast<uint8_t>((has_field ? 0x30 : 0x10) | NextContinuity(pid));
        size_t at = 4;
        if (has_field) {
            packet[at++] = static_cast<uint8_t>(field);
            const size_t field_end = at + field;
            if (field > 0) {
                packet[at++] = flags;
                if ((flags & 0x10) != 0) {
                    PutPcr(packet.data() + at, *pcr);
                    at += 6;
                }
                std::fill(packet.begin() + static_cast<ptrdiff_t>(at),
                          packet.begin() + static_cast<ptrdiff_t>(field_end), 0xFF);
            }
            at = field_end;
        }
        std::memcpy(packet.data() + at, pes.data() + done, room);
        done += room;
        out_.Write(packet.data(), true);
        first = false;
    }
}

uint64_t TsMuxer::WriteVideo(const std::vector<uint8_t>& access_unit, bool idr, int64_t pts) {
    if (idr) {
        WriteTables();
    }
    const uint64_t offset = out_.Offset();
    const int64_t pcr = std::max<int64_t>(0, pts - kPcrLead);
    WritePes(kVideoPid, BuildPes(kVideoStreamId, pts, &pts, access_unit.data(), access_unit.size()),
             &pcr, idr);
    return offset;
}

void TsMuxer::WriteAudio(const std::vector<uint8_t>& adts_frames, int64_t pts) {
    WritePes(kAudioPid,
             BuildPes(kAudioStreamId, pts, nullptr, adts_frames.data(), adts_frames.size()),
             nullptr, false);
}

void TsMuxer::WriteGps(const std::string& text, int64_t pts) {
    if (!with_gps_) {
        return;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    WritePes(kGpsPid, BuildPes(kPrivateStreamId, pts, nullptr, bytes, text.size()), nullptr, false);
}

} // namespace korvex::mkcard
