#pragma once

// Writes 188-byte transport packets to a file, counting offsets, and damages them on request:
// the transport error indicator on some packets, garbage between packets.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace korvex::mkcard {

constexpr size_t kPacketSize = 188;

struct PacketDamage {
    int error_every = 0;   // every n-th elementary-stream packet gets the error indicator; 0 off
    int garbage_every = 0; // garbage after every n-th packet; 0 off
    int garbage_bytes = 0;
};

class PacketFile {
public:
    PacketFile(const std::filesystem::path& path, PacketDamage damage);
    ~PacketFile();
    PacketFile(const PacketFile&) = delete;
    PacketFile& operator=(const PacketFile&) = delete;

    // elementary: a packet of an elementary stream (not a program table).
    void Write(uint8_t* packet, bool elementary);
    uint64_t Offset() const { return offset_; }
    const std::vector<uint64_t>& ErrorOffsets() const { return error_offsets_; }
    void Close();

private:
    void Put(const uint8_t* data, size_t size);

    std::FILE* file_ = nullptr;
    PacketDamage damage_;
    uint64_t offset_ = 0;
    uint64_t packets_ = 0;
    uint64_t elementary_packets_ = 0;
    uint32_t garbage_state_ = 0x2545F491;
    std::vector<uint64_t> error_offsets_;
    std::vector<uint8_t> buffer_;
};

} // namespace korvex::mkcard
