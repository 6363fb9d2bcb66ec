#pragma once

#include "audio/pulse/pulse_connection.h"
#include "audio/sound_driver.h"

#include <atomic>
#include <memory>

struct pa_stream;

namespace korvex::pulse {

// Sound output through a PulseAudio playback stream (s16le, mono, 48 kHz) on the server's
// default sink. The server asks for bytes as it plays; the stream's write callback, on the
// connection's loop thread, takes them from the loop at its play cursor, which signals the
// worker as the cursor passes block middles. The server keeps at most one block (64 ms)
// queued, so the cursor stays close to what is heard and never runs into blocks the worker has
// not written yet. If the server goes away, the stream fails, IsLost turns true and no callback
// runs again; nothing waits on the server without a bound.
class PulseSoundDriver final : public SoundDriver {
public:
    PulseSoundDriver() = default;
    ~PulseSoundDriver() override; // Close

    bool Open(SoundLoop& loop) override; // connects to the server
    bool Start() override;               // creates and connects the playback stream
    void Close() override;
    bool IsLost() const override;

private:
    static void OnStreamState(pa_stream* stream, void* self);
    static void OnWrite(pa_stream* stream, std::size_t bytes, void* self);

    std::unique_ptr<PulseConnection> connection_;
    pa_stream* stream_ = nullptr;
    SoundLoop* loop_ = nullptr;
    std::atomic<bool> stream_failed_{false};
};

} // namespace korvex::pulse
