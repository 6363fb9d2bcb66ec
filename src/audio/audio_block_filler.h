#pragma once

#include "audio/aac_decoder.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>

namespace korvex {

class CABuffer2;
class PlayState;

// Fills the audio worker's blocks with sound: takes AAC packets from the audio packet buffer,
// decodes them frame by frame, amplifies them by the configured factor (read afresh for every
// frame) and copies the samples in, little-endian. Where there is nothing to play the block is
// silent: while the hold flag is set no packet is taken; while the normal-speed flag is clear
// packets are taken and dropped; and when the buffer is empty. The frames of a packet that a block
// cannot take go on in the next block; only a frame longer than the room left is cut at the
// block's end. The worker's thread only, apart from construction.
class AudioBlockFiller {
public:
    AudioBlockFiller(CABuffer2& packets, const PlayState& play_state, const std::atomic<bool>& hold,
                     const std::atomic<int>& amplification);

    // Opens the AAC decoder (once; retried after a failure).
    bool OpenDecoder() { return decoder_.Open(); }

    // Fills all of `block`; stops early, leaving silence, when `keep_going` turns false.
    void Fill(std::span<std::uint8_t> block, const std::function<bool()>& keep_going);

    // Without a device: takes every queued packet and drops it, so the reader never waits for
    // room in the audio buffer.
    void DiscardPackets();

    // Starts afresh, with no packet partly played.
    void ForgetPacket() { current_ = {}; }

private:
    // The unread part of the packet handed out last, if any.
    bool TakePacket();

    CABuffer2& packets_;
    const PlayState& play_state_;
    const std::atomic<bool>& hold_;
    const std::atomic<int>& amplification_;
    AacDecoder decoder_;
    std::span<const std::uint8_t> current_; // points into the packet buffer until the next Get
};

} // namespace korvex
