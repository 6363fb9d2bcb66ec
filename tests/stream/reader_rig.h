#pragma once

#include "app/gps_text_buffer.h"
#include "engine/audio_packet_buffer.h"
#include "engine/play_state.h"
#include "engine/video_packet_buffer.h"
#include "mkcard/card_writer.h"
#include "recording_message_sink.h"
#include "stream/ts_analyse.h"

#include <functional>
#include <mutex>
#include <vector>

namespace korvex::test {

// A packet as the consumer took it.
struct Taken {
    PacketRecord record;            // data points to nothing after the next Get
    std::vector<std::uint8_t> head; // the first bytes of the packet
};

// A GPS text as the main window would find it on the new-text message.
struct SeenGpsText {
    std::string text;
    bool ready = false;
};

// A stream reader with the channel's buffers, play state and GPS text buffer, a recording
// message sink, and the test's thread as the consumer of both buffers.
class ReaderRig {
public:
    ReaderRig();
    ~ReaderRig(); // Finish

    // Takes every packet there is now; true when there was one.
    bool Consume();
    // Consumes until `done` holds (true) or 20 s have passed (false).
    bool ConsumeUntil(const std::function<bool()>& done);
    // Takes pictures one at a time until `count` have been taken (true), at most 20 s.
    bool TakePictures(std::size_t count);
    // Takes nothing until the reader waits for room in a buffer (true), at most 20 s.
    bool AwaitFullBuffer() const;
    // Consumes for `ms` milliseconds.
    void ConsumeFor(int ms);

    // Runs `request` with the reader's sends held, consumes until the reader has carried it
    // out and waits in its new-route send (everything taken until then came before the
    // request), then lets the send go. False when the reader never sent.
    struct Carried {
        std::size_t pictures_before = 0; // pictures taken before the request took effect
        std::int64_t position = 0;       // where the reader was going to read on from
        std::string path;                // and in which recording
        bool gps_ready = false;          // the GPS-record-ready flag meanwhile
    };
    bool CarryOut(const std::function<void()>& request, Carried& carried);

    // Closes the buffers, then stops the reader: the channel's order.
    void Finish();

    std::vector<Taken> Pictures() const { return pictures_; }
    std::vector<Taken> AudioFrames() const { return audio_; }
    std::vector<SeenGpsText> GpsTexts() const;
    int NewRoutes() const { return sink.Count(MessageTarget::kMainWindow, kMessageNewRoute); }
    std::vector<int> Positions() const; // the 1130 values, in order

    PlayState play;
    GpsTextBuffer gps;
    RecordingMessageSink sink;
    CVBuffer2 video;
    CABuffer2 audio;
    CTSAnalyse reader;

private:
    std::vector<Taken> pictures_;
    std::vector<Taken> audio_;
    mutable std::mutex gps_lock_;
    std::vector<SeenGpsText> gps_texts_;
};

// The time stamp the reader gives a 90 kHz value: its low 32 bits, signed, in seconds.
double ReaderSeconds(std::int64_t ticks);

} // namespace korvex::test
