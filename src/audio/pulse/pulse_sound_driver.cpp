#include "audio/pulse/pulse_sound_driver.h"

#include "audio/sound_format.h"
#include "audio/sound_loop.h"

#include <algorithm>
#include <cstdint>
#include <pulse/stream.h>
#include <span>

namespace korvex::pulse {

PulseSoundDriver::~PulseSoundDriver() {
    Close();
}

bool PulseSoundDriver::Open(SoundLoop& loop) {
    auto connection = std::make_unique<PulseConnection>();
    if (!connection->Connect("Korvex")) {
        return false;
    }
    connection_ = std::move(connection);
    loop_ = &loop;
    stream_failed_ = false;
    return true;
}

bool PulseSoundDriver::Start() {
    if (!connection_ || stream_) {
        return false;
    }
    PulseConnection::LoopLock lock(*connection_);
    const pa_sample_spec spec{PA_SAMPLE_S16LE, kSoundRate, kSoundChannels};
    stream_ = pa_stream_new(connection_->Context(), "Korvex playback", &spec, nullptr);
    if (!stream_) {
        return false;
    }
    pa_stream_set_state_callback(stream_, &PulseSoundDriver::OnStreamState, this);
    pa_stream_set_write_callback(stream_, &PulseSoundDriver::OnWrite, this);
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = kSoundBlockBytes;
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    if (pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_NOFLAGS, nullptr, nullptr) <
        0) {
        return false;
    }
    return connection_->WaitFor([this] { return pa_stream_get_state(stream_) == PA_STREAM_READY; });
}

void PulseSoundDriver::Close() {
    if (connection_ && stream_) {
        PulseConnection::LoopLock lock(*connection_);
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    stream_ = nullptr;
    connection_.reset();
    loop_ = nullptr;
    stream_failed_ = false;
}

bool PulseSoundDriver::IsLost() const {
    return connection_ && (connection_->IsGone() || stream_failed_);
}

void PulseSoundDriver::OnStreamState(pa_stream* stream, void* self) {
    auto* driver = static_cast<PulseSoundDriver*>(self);
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) {
        driver->stream_failed_ = true;
    }
    driver->connection_->Signal();
}

void PulseSoundDriver::OnWrite(pa_stream* stream, std::size_t bytes, void* self) {
    auto* driver = static_cast<PulseSoundDriver*>(self);
    while (bytes > 0) {
        void* data = nullptr;
        std::size_t size = bytes;
        if (pa_stream_begin_write(stream, &data, &size) < 0 || !data || size == 0) {
            return;
        }
        size = std::min(size, bytes);
        driver->loop_->Take(std::span(static_cast<std::uint8_t*>(data), size));
        if (pa_stream_write(stream, data, size, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
            return;
        }
        bytes -= size;
    }
}

} // namespace korvex::pulse
