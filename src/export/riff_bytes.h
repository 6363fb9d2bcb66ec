#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace korvex {

// Builds RIFF structures: little-endian numbers, four-character codes, chunks and lists.
class RiffBytes {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value) {
        for (int shift = 0; shift < 16; shift += 8) {
            bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    void U32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    void U64(std::uint64_t value) {
        U32(static_cast<std::uint32_t>(value));
        U32(static_cast<std::uint32_t>(value >> 32));
    }
    void FourCc(const char (&code)[5]) { bytes_.insert(bytes_.end(), code, code + 4); }
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void Bytes(std::span<const std::uint8_t> bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }

    // A chunk's id and a size to be filled in by End(); returns where the chunk starts.
    std::size_t Begin(const char (&id)[5]) {
        const std::size_t start = bytes_.size();
        FourCc(id);
        U32(0);
        return start;
    }
    // A list: "LIST", a size, then its type.
    std::size_t BeginList(const char (&type)[5]) {
        const std::size_t start = Begin("LIST");
        FourCc(type);
        return start;
    }
    // Fills in the size of the chunk begun at `start` and pads it to an even length.
    void End(std::size_t start) {
        const auto size = static_cast<std::uint32_t>(bytes_.size() - start - 8);
        for (int i = 0; i < 4; ++i) {
            bytes_[start + 4 + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(size >> (8 * i));
        }
        if (size % 2 != 0) {
            U8(0);
        }
    }

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Result() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace korvex
