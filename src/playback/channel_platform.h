#pragma once

// What a playback channel is given from outside the engine, in one place: the program fills it
// with the Qt message sink, the video window, PulseAudio and the steady clock and with the
// application object's shared data; korvex-cli with its own message loop, the in-memory output,
// PulseAudio or no sound and the steady or an auto-advancing clock; the tests with a recording
// sink, the in-memory output, the sound device and the clock each test needs.
//
// Every pointer may be null, which gives the default named beside it. Whatever is given must
// outlive the channel.

#include "app/gps_text_buffer.h"
#include "app/message_sink.h"
#include "audio/sound_driver.h"
#include "engine/clock.h"
#include "video/video_ctx.h"
#include "video/video_output.h"

#include <atomic>

namespace korvex {

struct ChannelPlatform {
    // --- Platform services.

    // Receives the reader's messages (position to the panel, GPS text and new route to the main
    // window) and the folder scan's (to the panel). Its Send must give up when the stop it is
    // given is requested: the channel's Close relies on it. Null: nobody listens.
    MessageSink* messages = nullptr;
    // The video window. Null: pictures are decoded but never shown or counted.
    VideoOutput* video_output = nullptr;
    // The sound device. Null: no sound; the audio worker discards its packets.
    SoundDriver* sound = nullptr;
    // Paces pictures and the workers' idle waits. Null: the steady clock.
    Clock* clock = nullptr;
    // Told of every picture shown, on the video worker's thread. Empty: nobody.
    CVideoCtx::PictureListener on_picture;

    // --- What the application object shares with its channels.

    // The process's GPS text buffer, written by the reader. Null: one of the channel's own.
    GpsTextBuffer* gps_text = nullptr;
    // The settings' display mode (0 YV12, 1 RGB), which the video worker may set to 1. Null: 0.
    std::atomic<int>* display_mode = nullptr;
    // The settings' sound amplification (1-10), read for every audio frame. Null: 1.
    const std::atomic<int>* sound_amplification = nullptr;
};

} // namespace korvex
