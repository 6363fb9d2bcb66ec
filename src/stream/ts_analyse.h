#pragma once

// The stream reader of a playback channel.
//
// One thread per channel reads the current recording in blocks of 8192 bytes, forward or
// backward, frames the blocks into transport packets, learns the stream PIDs from the program
// tables and collects each stream's PES packets. A complete video PES becomes a picture packet
// in the video buffer (forward every picture, backward and single-stepping key pictures only);
// an audio PES an audio packet (forward at normal speed only); a GPS PES the text of the shared
// GPS text buffer, announced to the main window. The reader is paced only by the buffers: it
// blocks in Put while one is full.
//
// The user-interface thread steers it with requests (Seek, SetDirection, RequestFile) that the
// reader takes at the top of its loop. After carrying one out it flushes the buffers and sends
// the main window a new-route message, waiting for it to be handled; the wait ends at once when
// the reader is being stopped. At the end of a recording it moves on to the next one (backward:
// the previous one) without a flush or a message, so playback goes on without a gap, and when
// there is none it waits, looking again every 100 ms. It posts its position to the panel after
// every block.
//
// Lock rules: the requests and the current path sit under one short lock of the reader's, which
// is never held while the reader waits; the direction-change flag, the skip count, the position
// and the file size are atomics; everything else belongs to the reader's thread while it runs.
// Calls go down only: the reader calls the buffers and the message sink, never the channel.

#include "app/gps_text_buffer.h"
#include "app/message_sink.h"
#include "engine/audio_packet_buffer.h"
#include "engine/play_state.h"
#include "engine/reader_thread.h"
#include "engine/video_packet_buffer.h"
#include "stream/frame_rate_meter.h"
#include "stream/read_only_file.h"
#include "stream/stream_tables.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>

namespace korvex {

inline constexpr int kForward = 0;
inline constexpr int kBackward = 1;

// Seek values besides positions 1-1000: the previous and the next recording.
inline constexpr int kSeekPrevious = -1001;
inline constexpr int kSeekNext = -1002;

class CTSAnalyse {
public:
    // The play state gives the speed state and the normal-speed flag; `gps` is the process's
    // shared GPS text buffer; `sink` gets the reader's messages (none when null); `clock` times
    // the waits at the end of the data.
    CTSAnalyse(const PlayState& play_state, GpsTextBuffer& gps, MessageSink* sink,
               Clock& clock = SystemClock());
    ~CTSAnalyse(); // Stop
    CTSAnalyse(const CTSAnalyse&) = delete;
    CTSAnalyse& operator=(const CTSAnalyse&) = delete;

    // --- The controlling (user-interface) thread.

    // The buffers to fill; before the first Start.
    void SetBuffers(CVBuffer2* video, CABuffer2* audio);

    // Stops a running reader, opens `path` (at its start when reading forward, at its end when
    // backward) and starts the thread. True when the thread started; a recording that cannot be
    // opened does not fail it (the reader finds no data and looks for the next one). False
    // without buffers.
    bool Start(const std::string& path);

    // Ends the thread and waits for it without a time limit, then closes the file. A reader
    // waiting in a buffer's Put only returns once that buffer is closed, so the channel closes
    // its buffers first. The program tables are kept: the PIDs come back at the first packet of
    // the next run.
    void Stop();

    // 1-1000: go to that thousandth of the current recording (once the program tables are
    // known); kSeekPrevious, kSeekNext: the previous or next recording; 0 and other values:
    // nothing, though they replace a request not yet taken.
    void Seek(int value);

    // Reading direction, kForward or kBackward (any other value counts as backward). Returns -1
    // when the program tables are not known yet and nothing changes; otherwise `direction`.
    // A change drops the queued packets and starts reading next to the picture about to be
    // shown; going forward, nothing is delivered until the second key picture from there.
    int SetDirection(int direction);

    // Switches to the recording at `path` at the reader's next pass. Always true.
    bool RequestFile(const std::string& path);

    // --- Any thread.
    std::string CurrentPath() const;
    // The byte offset just after the last block read in the current recording.
    std::int64_t CurrentPosition() const { return position_.load(); }
    int Direction() const { return direction_.load(); }
    bool TablesReady() const { return tables_ready_.load(); }
    // How often the reader has found no recording to go on with at an end of the data (each
    // 100 ms look counts): a caller can tell that everything there is has been read.
    unsigned EndWaits() const { return end_waits_.load(); }
    // True while the reader waits at the end of the card: it has read the last recording to
    // its end (backward: the first to its start) and found none to go on with. A recording
    // that grows, a new one, a seek or a turn ends it.
    bool AtCardEnd() const { return at_card_end_.load(); }

private:
    struct WorkBuffers;

    void Run(const std::stop_token& running);
    bool OpenFile(int direction);
    void CloseFile();
    std::int64_t SeekOffset(int value) const;

    // Steps of the loop (ts_analyse_loop.cpp).
    bool CarryOutRequests(const std::stop_token& running); // true: start the pass again
    int DirectionOfASwitch();
    // Current path := `path`, under a new recording number.
    void SetCurrentPath(const std::string& path);
    // Opens the recording a change of direction starts in, at its thousandth `position`.
    void TurnInto(const std::string& path, int direction, int position);
    // False for an empty path; otherwise opens it for reading in `direction`.
    bool SwitchTo(const std::string& path, int direction);
    void Flush(bool with_buffers);
    void Announce(const std::stop_token& running);
    void StepForward(const std::stop_token& running);
    void StepBackward(const std::stop_token& running);
    void PostPosition();
    void WaitAtAnEnd();

    // Packets and what they become (ts_analyse_packets.cpp).
    void HandlePacket(const std::uint8_t* packet, const std::stop_token& running);
    bool DeliverVideo(bool key_only, const std::stop_token& running); // true: a picture went in
    void DeliverAudio();
    void DeliverGps();

    const PlayState& play_state_;
    GpsTextBuffer& gps_;
    MessageSink* const sink_;
    CVBuffer2* video_ = nullptr;
    CABuffer2* audio_ = nullptr;

    mutable std::mutex request_lock_; // guards the fields below up to direction_
    std::int64_t seek_request_ = -1;  // -1 none; > 0 a byte offset; kSeekPrevious, kSeekNext
    std::string pending_path_;
    int requested_direction_ = kForward;
    // A change of direction whose picture on show came from a recording read before the current
    // one starts there, at this thousandth (seek_request_ belongs to the current recording).
    std::string turn_path_;
    int turn_position_ = 0;
    std::string current_path_;
    // The recordings read last with their numbers, which the video records carry.
    std::deque<std::pair<int, std::string>> recent_recordings_;
    std::atomic<int> recording_ = 0; // the current recording's number

    std::atomic<bool> direction_change_pending_ = false; // written under request_lock_
    std::atomic<int> direction_ = kForward;              // written under request_lock_
    std::atomic<int> skip_count_ = 0; // key pictures still to drop after a change to forward
    std::atomic<bool> tables_ready_ = false;
    std::atomic<std::int64_t> file_size_ = 0;
    std::atomic<std::int64_t> position_ = 0;
    std::atomic<unsigned> end_waits_ = 0;
    std::atomic<bool> at_card_end_ = false;

    // The reader's thread's while it runs, the controlling thread's otherwise.
    ReadOnlyFile file_;
    StreamTables tables_;
    FrameRateMeter frame_rate_;
    std::unique_ptr<WorkBuffers> work_;
    PacketRecord video_record_;
    PacketRecord audio_record_;

    std::stop_source stop_;
    ReaderThread thread_; // last: it ends before the members its body uses go
};

} // namespace korvex
