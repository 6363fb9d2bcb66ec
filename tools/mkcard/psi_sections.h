#pragma once

// Program association and program map sections, each with its MPEG-2 CRC-32.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvex::mkcard {

struct ProgramStream {
    uint8_t stream_type = 0;
    uint16_t pid = 0;
};

// The MPEG-2 CRC-32 (polynomial 0x04C11DB7, initial value all ones, no reflection).
uint32_t Crc32Mpeg(const uint8_t* data, size_t size);

// A PAT with one program.
std::vector<uint8_t> BuildPatSection(uint16_t program_number, uint16_t pmt_pid);

// A PMT of one program without descriptors.
std::vector<uint8_t> BuildPmtSection(uint16_t program_number, uint16_t pcr_pid,
                                     const std::vector<ProgramStream>& streams);

} // namespace korvex::mkcard
