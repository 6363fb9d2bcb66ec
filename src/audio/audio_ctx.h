#pragma once

#include "audio/audio_block_filler.h"
#include "audio/sound_device.h"
#include "engine/my_thread.h"

#include <atomic>

namespace korvex {

class CABuffer2;
class PlayState;
class SoundDriver;

// The audio worker of a playback channel. On its own thread it takes AAC packets from the
// channel's audio packet buffer, decodes them to 16-bit mono PCM, amplifies them and streams
// them through the sound device's looping buffer of 16 blocks of 6144 bytes. Sound is paced by
// the device alone: block n + 2 is written as the play cursor passes the middle of block n, and
// when there is nothing to play silent blocks keep the loop going (audio/loop_pacing.h tells
// how the worker keeps ahead and catches up). Time stamps are never looked at.
//
// The device is opened when the thread begins and closed when it ends. Without a device, or
// once the device has gone away (a sound server that ended), the worker carries on silently,
// still taking one packet every 10 ms, so the reader filling the buffer never stalls.
//
// Threads: construction, Start, Stop and destruction on the controlling thread (the channel's,
// the user interface); SetHold from the video worker; the rest is the worker's own.
class CAudioCtx final : public CMyThread {
public:
    // The buffer, the play state, the amplification (the settings' 1..10, read for every frame)
    // and the driver must outlive the worker.
    CAudioCtx(CABuffer2& packets, const PlayState& play_state,
              const std::atomic<int>& amplification, SoundDriver& driver,
              Clock& clock = SystemClock());
    ~CAudioCtx() override; // Stop(kStopTimeoutMs), then waits for an abandoned thread

    // Opens the AAC decoder (false when there is none), clears the hold flag and starts the
    // thread. A missing sound device does not fail it.
    bool Start() override;

    // Ends the thread, at most `timeout_ms` of the clock; the thread closes the device.
    void Stop(int timeout_ms) override;

    // While set the worker takes no new packets and plays silence (pause and single steps).
    void SetHold(bool hold) { hold_.store(hold); }

protected:
    int Run() override;

private:
    bool KeepGoing() const { return IsRunning() && !stopping_.load(); }
    // Waits until the next block is due and returns where it goes.
    int AwaitNextBlock(int next);

    std::atomic<bool> hold_{false};
    std::atomic<bool> stopping_{false};
    CABuffer2& packets_;
    AudioBlockFiller filler_;
    SoundDevice device_;
};

} // namespace korvex
