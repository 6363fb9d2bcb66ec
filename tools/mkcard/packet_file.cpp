#include "mkcard/packet_file.h"

#include <stdexcept>

namespace korvex::mkcard {
namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr uint8_t kSyncByte = 0x47;

} // namespace

PacketFile::PacketFile(const std::filesystem::path& path, PacketDamage damage) : damage_(damage) {
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        throw std::runtime_error("cannot write " + path.string());
    }
    buffer_.reserve(kBufferSize);
}

PacketFile::~PacketFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

void PacketFile::Write(uint8_t* packet, bool elementary) {
    if (elementary) {
        ++elementary_packets_;
        if (damage_.error_every > 0 &&
            elementary_packets_ % static_cast<uint64_t>(damage_.error_every) == 0) {
            packet[1] |= 0x80;
            error_offsets_.push_back(offset_);
        }
    }
    Put(packet, kPacketSize);
    ++packets_;
    if (damage_.garbage_every > 0 && packets_ % static_cast<uint64_t>(damage_.garbage_every) == 0) {
        // A fixed pseudo-random sequence without sync bytes, so resynchronisation is what a test
        // sees, not a chance packet start inside the garbage.
        for (int i = 0; i < damage_.garbage_bytes; ++i) {
            garbage_state_ ^= garbage_state_ << 13;
            garbage_state_ ^= garbage_state_ >> 17;
            garbage_state_ ^= garbage_state_ << 5;
            uint8_t byte = static_cast<uint8_t>(garbage_state_ >> 24);
            if (byte == kSyncByte) {
                byte = 0x48;
            }
            Put(&byte, 1);
        }
    }
}

void PacketFile::Put(const uint8_t* data, size_t size) {
    buffer_.insert(buffer_.end(), data, data + size);
    offset_ += size;
    if (buffer_.size() >= kBufferSize - kPacketSize) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
            throw std::runtime_error("write failed");
        }
        buffer_.clear();
    }
}

void PacketFile::Close() {
    if (file_ == nullptr) {
        return;
    }
    const bool written = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
    buffer_.clear();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || !closed) {
        throw std::runtime_error("write failed");
    }
}

} // namespace korvex::mkcard
