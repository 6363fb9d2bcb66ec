#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace korvex {

// Frames file bytes into transport packets, block by block, forward or backward. It holds the
// bytes the last block left unscanned plus one new block. A packet is taken only when a second
// sync byte lies one packet away (after it forward, before it backward), so the packet at the
// leading edge waits for the next block; anything else is skipped one byte at a time until the
// stream is in step again.
//
// One user, one thread. A packet pointer stays valid until the next Append/Prepend.
class ScanBuffer {
public:
    static constexpr std::size_t kCapacity = 9500;
    static constexpr std::size_t kBlockSize = 8192;

    // Moves the unscanned bytes to the front and appends `block` (at most kBlockSize bytes)
    // after them.
    void AppendForward(std::span<const std::uint8_t> block);
    // The next packet forward, or null when one packet or less remains unscanned.
    const std::uint8_t* NextPacketForward();

    // Moves the unscanned bytes to the end and places `block` (at most kBlockSize bytes, the
    // bytes just before them in the file) in front of them.
    void PrependBackward(std::span<const std::uint8_t> block);
    // The next packet backward, or null when one packet or less remains unscanned.
    const std::uint8_t* NextPacketBackward();

    // Forgets the unscanned bytes, so that the next block starts afresh.
    void Clear() { count_ = 0; }
    std::size_t Unscanned() const { return count_; }

private:
    std::array<std::uint8_t, kCapacity> bytes_{};
    // The unscanned bytes are [begin_, begin_ + count_). Forward the scan pointer is their first
    // byte; backward it is their last byte, the sync byte of the packet handled last.
    std::size_t begin_ = 0;
    std::size_t count_ = 0;
};

} // namespace korvex
