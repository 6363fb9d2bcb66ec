#include "stream/scan_buffer.h"

#include "stream/ts_packet.h"

#include <algorithm>
#include <cstring>

namespace korvex {

void ScanBuffer::AppendForward(std::span<const std::uint8_t> block) {
    block = block.first(std::min(block.size(), kBlockSize));
    // Only a caller that stopped framing early leaves more than a packet behind; keep the
    // newest bytes then, since they join the new block.
    const std::size_t carried = std::min(count_, kCapacity - block.size());
    std::memmove(bytes_.data(), bytes_.data() + begin_ + count_ - carried, carried);
    std::memcpy(bytes_.data() + carried, block.data(), block.size());
    begin_ = 0;
    count_ = carried + block.size();
}

const std::uint8_t* ScanBuffer::NextPacketForward() {
    while (count_ > kTsPacketSize) {
        const std::uint8_t* at = bytes_.data() + begin_;
        if (at[0] == kTsSyncByte && at[kTsPacketSize] == kTsSyncByte) {
            begin_ += kTsPacketSize;
            count_ -= kTsPacketSize;
            return at;
        }
        ++begin_;
        --count_;
    }
    return nullptr;
}

void ScanBuffer::PrependBackward(std::span<const std::uint8_t> block) {
    block = block.first(std::min(block.size(), kBlockSize));
    // Backward the bytes that join the new block are the first of the carried ones.
    const std::size_t carried = std::min(count_, kCapacity - block.size());
    std::memmove(bytes_.data() + kCapacity - carried, bytes_.data() + begin_, carried);
    begin_ = kCapacity - carried - block.size();
    std::memcpy(bytes_.data() + begin_, block.data(), block.size());
    count_ = carried + block.size();
}

const std::uint8_t* ScanBuffer::NextPacketBackward() {
    while (count_ > kTsPacketSize) {
        const std::uint8_t* pointer = bytes_.data() + begin_ + count_ - 1;
        if (pointer[0] == kTsSyncByte &&
            pointer[-static_cast<std::ptrdiff_t>(kTsPacketSize)] == kTsSyncByte) {
            count_ -= kTsPacketSize;
            return pointer - kTsPacketSize;
        }
        --count_;
    }
    return nullptr;
}

} // namespace korvex
