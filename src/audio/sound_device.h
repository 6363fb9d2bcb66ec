#pragma once

#include "engine/auto_reset_event.h"

#include <cstdint>
#include <memory>
#include <span>

namespace korvex {

class Clock;
class SoundDriver;
class SoundLoop;

// The sound output as the audio worker sees it: one looping buffer of 16 blocks of 6144 bytes
// that the device plays round and round once started, a play cursor, and a notification each
// time the cursor passes the middle of a block. What a device must provide to take part is in
// audio/sound_driver.h.
//
// Threads: every function is for the audio worker's thread, except Wake, which any thread may
// call (the worker's Stop uses it). The notification event is set by the driver's thread.
class SoundDevice {
public:
    SoundDevice(SoundDriver& driver, Clock& clock);
    ~SoundDevice(); // Close
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // Opens the device and its looping buffer (all zero). False when there is no device; the
    // worker then runs without sound. Does nothing when already open.
    bool Open();
    bool IsOpen() const { return loop_ != nullptr; }

    // Stops playback and releases the device. Does nothing when not open.
    void Close();

    // True when the device is open and has gone away; the worker should Close it.
    bool IsLost() const;

    // The bytes of the block at `offset` (a multiple of 6144 below 98304): fill all of them,
    // then UnlockBlock hands them to the device. Only while open.
    std::span<std::uint8_t> LockBlock(int offset);
    void UnlockBlock();

    // Offset of the next byte the device takes, 0..98303; bytes written at or after it are
    // heard. Only while open.
    int PlayCursor() const;

    // Starts looping playback from offset 0. False when the device could not start. Only while
    // open, once.
    bool Play();

    // Waits for a notification for at most `timeout_ms` milliseconds of the worker's clock. True
    // when one came (or Wake was called). Only while open.
    bool WaitForNotification(std::int64_t timeout_ms);

    // Ends the current or next notification wait at once. Any thread.
    void Wake();

private:
    SoundDriver& driver_;
    Clock& clock_;
    AutoResetEvent notification_;
    std::unique_ptr<SoundLoop> loop_;
};

} // namespace korvex
