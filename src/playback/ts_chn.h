#pragma once

// The playback channel: one open recording (or a card's list of them) and all that plays it.
// It has no thread of its own; the user-interface thread calls it. Three threads run while it
// plays: the reader (CTSAnalyse), paced only by the two bounded buffers it fills, and the video
// and audio workers that empty them (a fourth lists a single file's folder). A picture: the
// reader cuts the access unit from the video PES and stamps it (type, frame rate, signed speed,
// time stamp, position) straight into CVBuffer2's ring; the video worker takes it, decodes it,
// reverses it with its group when playing backward, waits for it on the pacing clock and hands
// it to the output. A GPS text: the reader copies the payload into the shared GpsTextBuffer and
// posts 1131; the main window parses it. Sound is paced by the device alone. Commands are
// stores into the play state or requests the reader takes at the top of its loop; workers reach
// the user interface only through the message sink. DESIGN.md has the locks and shutdown order.

#include "audio/audio_ctx.h"
#include "audio/null_sound_driver.h"
#include "engine/audio_packet_buffer.h"
#include "engine/play_state.h"
#include "engine/video_packet_buffer.h"
#include "export/clip_marks.h"
#include "playback/channel_platform.h"
#include "stream/find_file_path.h"
#include "stream/ts_analyse.h"
#include "video/video_ctx.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace korvex {

class CTSChn final {
public:
    // Buffer sizes of Open.
    static constexpr int kVideoAreaBytes = 2 << 20;
    static constexpr int kVideoMaxPacketBytes = 512 << 10;
    static constexpr int kAudioAreaBytes = 128 << 10;
    static constexpr int kAudioMaxPacketBytes = 16 << 10;

    // Opens a pair of buffers as the channel opens its own, for a stream reader run without a
    // channel (korvex-cli track, the reader's tests). False when one cannot be opened.
    static bool OpenBuffers(CVBuffer2& video, CABuffer2& audio);

    explicit CTSChn(const ChannelPlatform& platform);
    ~CTSChn(); // Close
    CTSChn(const CTSChn&) = delete;
    CTSChn& operator=(const CTSChn&) = delete;

    // Every operation below: the user-interface thread.

    // The recording to open. Once, before Open.
    void SetSource(std::string path) { source_path_ = std::move(path); }

    // Starts playing the source from its start. With `list` (a card), the channel's recording
    // list becomes a copy of it and the panel hears at once that the list is complete;
    // without, the folder of the source is listed on a thread of its own, which tells the panel
    // itself. A source that cannot be read does not fail it (the reader looks for the next
    // recording). False when a buffer, a worker, the folder scan or the reader could not start;
    // the channel is then closed.
    // Once per channel: a second Open fails.
    bool Open(const CFindFilePath* list = nullptr);

    // Stops the reader and both workers; never hangs, whatever they are doing (waiting for
    // room, sending the new-route message, paused, stepping). Safe more than once; a folder
    // scan still running ends by itself, at the latest when the channel goes.
    void Close();

    // kForward or kBackward: -1 before the reader knows the program tables (nothing changes),
    // otherwise `direction`.
    int SetDirection(int direction) { return reader_.SetDirection(direction); }
    // 1-1000: that thousandth of the current recording; kSeekPrevious, kSeekNext: the previous
    // or next recording; 0 and other values: no movement. Returns `value`.
    int Seek(int value);
    // Switches to the first recording of the list that ends after `time` (seconds since 1970,
    // as the list's end times): 1 when a switch was asked for, 0 when no recording ends later or
    // that recording is the one playing.
    int PlayFileAt(std::int64_t time);

    // The recording the reader reads now, and its byte position there (ahead of the picture on
    // show by what the buffers hold).
    std::string CurrentPath() const { return reader_.CurrentPath(); }
    std::int64_t CurrentPosition() const { return reader_.CurrentPosition(); }

    // The clip marks, set where the reader is now.
    void MarkIn() { marks_.MarkIn(CurrentPath(), CurrentPosition()); }
    void MarkOut() { marks_.MarkOut(CurrentPath(), CurrentPosition()); }
    const ClipMarks& Marks() const { return marks_; }

    // The play state's commands (engine/play_state.h has the read accessors).
    void SetSpeed(int speed) { play_.SetSpeed(speed); }
    void SetPause(bool paused) { play_.SetPause(paused); }
    void SetNormalSpeed(bool normal) { play_.SetNormalSpeed(normal); }
    void RequestSnapshot(std::string base_path, int count) {
        play_.RequestSnapshot(std::move(base_path), count);
    }
    unsigned TakePictureCount() { return play_.TakePictureCount(); }
    const PlayState& State() const { return play_; }

    // The recordings of the folder being played, for the calendar and the time bars. Not while
    // a folder scan fills it: only after the panel has had the list-complete message.
    const CFindFilePath& RecordingList() const { return list_; }

    const std::string& SourcePath() const { return source_path_; }
    int Direction() const { return reader_.Direction(); }
    // True once the last picture of the card has been shown: the reader waits at the end of
    // the card (backward: at its start) and the video worker has shown all it was given.
    bool CardEnded() const;

private:
    // The defaults for what the platform leaves out; first, since everything below uses them.
    struct Defaults {
        NullSoundDriver sound;
        GpsTextBuffer gps_text;
        std::atomic<int> display_mode{0};
        std::atomic<int> sound_amplification{1};
    };

    Defaults defaults_;
    Clock& clock_;
    MessageSink* const messages_;
    PlayState play_;
    // The audio worker before the video worker, which calls its hold: the video worker ends
    // first even when its stop had to give up waiting.
    CABuffer2 audio_buffer_;
    CAudioCtx audio_;
    CVBuffer2 video_buffer_;
    CVideoCtx video_;
    CFindFilePath list_;
    CTSAnalyse reader_; // last of the workers: it fills both buffers
    std::string source_path_;
    ClipMarks marks_;
    bool opened_ = false;
};

} // namespace korvex
