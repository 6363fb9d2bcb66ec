#pragma once

namespace korvex {

class SoundLoop;

// What a sound output implements: a device that plays 16-bit mono 48 kHz PCM taken from a
// SoundLoop at its play cursor, at the device's own pace. The audio worker never calls a driver
// directly; it goes through the SoundDevice face (audio/sound_device.h), which calls the
// driver's functions in this order: Open, then Start at most once, then Close.
//
// Implementations: the PulseAudio playback stream (audio/pulse/), the null device (no output,
// audio/null_sound_driver.h) and, in the tests' support library, a simulated device on a test
// clock. One driver serves one worker at a time and must outlive it.
class SoundDriver {
public:
    virtual ~SoundDriver() = default;

    // Worker thread. Opens the device; `loop` stays valid until Close returns. False when there
    // is no device: the worker then plays nothing and discards its packets. Never blocks for
    // long (a server that does not answer counts as absent).
    virtual bool Open(SoundLoop& loop) = 0;

    // Worker thread, after a successful Open. Starts taking bytes from the loop (SoundLoop::Take)
    // on a thread of the driver's own. False when playback could not start. Bounded like Open.
    virtual bool Start() = 0;

    // Worker thread. Stops taking and releases the device; once it returns, the loop is not
    // touched again. Safe after a failed Open, and more than once.
    virtual void Close() = 0;

    // Worker thread. True once an open device has gone away (for PulseAudio: the server ended or
    // dropped the stream). The worker then closes it and carries on without sound.
    virtual bool IsLost() const = 0;
};

} // namespace korvex
