#include "mkcard/psi_sections.h"

namespace korvex::mkcard {
namespace {

constexpr uint16_t kTransportStreamId = 1;

void PutU16(std::vector<uint8_t>& out, unsigned value) {
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

// Table id, section length (patched by Finish), id, version 0 / current, section 0 of 0.
std::vector<uint8_t> Begin(uint8_t table_id, uint16_t id) {
    std::vector<uint8_t> section{table_id, 0, 0};
    PutU16(section, id);
    section.push_back(0xC1);
    section.push_back(0);
    section.push_back(0);
    return section;
}

std::vector<uint8_t> Finish(std::vector<uint8_t> section) {
    const size_t length = section.size() - 3 + 4; // after the length field, with the CRC
    section[1] = static_cast<uint8_t>(0xB0 | (length >> 8));
    section[2] = static_cast<uint8_t>(length);
    const uint32_t crc = Crc32Mpeg(section.data(), section.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        section.push_back(static_cast<uint8_t>(crc >> shift));
    }
    return section;
}

} // namespace

uint32_t Crc32Mpeg(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= static_cast<uint32_t>(data[i]) << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000) != 0 ? (crc << 1) ^ 0x04C11DB7 : crc << 1;
        }
    }
    return crc;
}

std::vector<uint8_t> BuildPatSection(uint16_t program_number, uint16_t pmt_pid) {
    std::vector<uint8_t> section = Begin(0x00, kTransportStreamId);
    PutU16(section, program_number);
    PutU16(section, 0xE000 | pmt_pid);
    return Finish(std::move(section));
}

std::vector<uint8_t> BuildPmtSection(uint16_t program_number, uint16_t pcr_pid,
                                     const std::vector<ProgramStream>& streams) {
    std::vector<uint8_t> section = Begin(0x02, program_number);
    PutU16(section, 0xE000 | pcr_pid);
    PutU16(section, 0xF000); // no program descriptors
    for (const ProgramStream& stream : streams) {
        section.push_back(stream.stream_type);
        PutU16(section, 0xE000 | stream.pid);
        PutU16(section, 0xF000); // no stream descriptors
    }
    return Finish(std::move(section));
}

} // namespace korvex::mkcard
