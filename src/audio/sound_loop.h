#pragma once

#include "audio/sound_format.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>

namespace korvex {

class AutoResetEvent;

// The looping buffer between the audio worker and a sound driver: 16 blocks of 6144 bytes. The
// worker writes whole blocks; the driver takes bytes at the play cursor as its device plays
// them, wrapping at the end, and every time the cursor passes the middle of a block the loop
// sets the worker's notification event.
//
// The worker writes a block into a staging area and commits it in one step, so the driver never
// reads a half-written block and the two threads share only state guarded by the loop's mutex.
// The notification event is set with that mutex released.
class SoundLoop {
public:
    explicit SoundLoop(AutoResetEvent& notification);
    SoundLoop(const SoundLoop&) = delete;
    SoundLoop& operator=(const SoundLoop&) = delete;

    // --- The worker's side (the audio worker's thread) ---

    // The staging area for the block at `offset` (a multiple of 6144 below 98304). The worker
    // fills all of it, then calls CommitBlock.
    std::span<std::uint8_t> StageBlock(int offset);
    void CommitBlock();

    // Offset of the next byte the driver will take, 0..98303. Every byte before it (going back
    // round the loop) has been handed to the device.
    int PlayCursor() const;

    // Puts the play cursor at the start of the loop; only while the driver is not taking.
    void Rewind();

    // The worker has handled every notification set so far and is about to wait for the next.
    void Acknowledge();

    // --- The driver's side (the driver's own thread) ---

    // Copies out.size() bytes from the play cursor and moves it on.
    void Take(std::span<std::uint8_t> out);

    // Blocks (in real time) until the worker has acknowledged every notification set so far.
    // False when the loop is being closed. For drivers standing in for a device that never
    // outruns its worker (the simulated device); real devices do not wait.
    bool AwaitAcknowledged();

    // --- The owner (the sound device face), before the driver stops ---

    // Ends AwaitAcknowledged now and for good.
    void CancelWaits();

private:
    AutoResetEvent& notification_;
    std::array<std::uint8_t, kSoundBlockBytes> staging_{};
    int staging_offset_ = 0; // worker only

    mutable std::mutex mutex_;
    std::condition_variable acknowledged_changed_;
    std::array<std::uint8_t, kSoundLoopBytes> bytes_{};
    int cursor_ = 0;
    std::uint64_t notifications_ = 0;
    std::uint64_t acknowledged_ = 0;
    bool cancelled_ = false;
};

} // namespace korvex
