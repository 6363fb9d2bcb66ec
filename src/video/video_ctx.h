#pragma once

#include "engine/my_thread.h"
#include "engine/packet_record.h"
#include "video/backward_frames.h"
#include "video/h264_decoder.h"
#include "video/picture_planes.h"
#include "video/presenter.h"
#include "video/snapshot_queue.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>

namespace korvex {

class CVBuffer2;
class PlayState;
class VideoOutput;

// What the video worker tells a listener of every picture it has placed in the back buffer.
struct PictureNotice {
    const PacketRecord& packet;  // the packet the picture came from: type, time stamp, position
    const VideoSurface& picture; // the back buffer
    double due_ms;               // when the pacing clock had the picture due (the worker's clock)
};

// The video worker of a playback channel. On its own thread it takes picture packets from the
// channel's video packet buffer, decodes them, shows each picture at the pace of the packets'
// frame rate times the speed state's multiplier, reverses every group of pictures in backward
// play (one group behind), holds after a picture while paused or after a single step, and writes
// the snapshots asked for. It drives the channel's pacing clock.
//
// A picture's way: take (skip the tails of groups in the fast states 3-6) -> decode -> queue
// (backward play: copy, show the previous group's pictures last to first) -> pacing wait ->
// transfer into the presenter's back buffer (YUV or RGB, by the display mode read afresh for
// every picture) -> count -> hold? -> presented at the top of the next round, where pending
// snapshot shots are served too.
//
// Threads: construction, SetOutput, Start, Stop and destruction on the controlling thread (the
// channel's, the user interface); everything else is the worker's own. The play state is shared
// as engine/play_state.h says; the audio hold is called from the worker.
class CVideoCtx final : public CMyThread {
public:
    // Tells the audio worker to hold (play silence, take no packets) or to go on.
    using AudioHold = std::function<void(bool hold)>;
    // Called on the worker's thread for every picture counted as shown (korvex-cli, tests).
    using PictureListener = std::function<void(const PictureNotice& notice)>;

    static constexpr uint32_t kBackground = 0xFF000000; // black

    // The buffer, the play state, the display mode (the settings' 0 = YV12, 1 = RGB; set to 1
    // here when the output takes no YUV) and the clock must outlive the worker.
    CVideoCtx(CVBuffer2& packets, PlayState& play_state, std::atomic<int>& display_mode,
              AudioHold audio_hold, Clock& clock = SystemClock());
    ~CVideoCtx() override; // Stop(kStopTimeoutMs), waits for an abandoned thread, frees all

    // The video window. Only while stopped; it must outlive the worker.
    void SetOutput(VideoOutput* output) { output_ = output; }
    // Only while stopped.
    void SetPictureListener(PictureListener listener) { picture_listener_ = std::move(listener); }

    // Video size := 0, opens the decoder (false when there is none), starts the thread.
    bool Start() override;

    // Ends a pacing wait at once, waits for the thread at most `timeout_ms`, then turns the
    // video window black if the thread has ended. Returns once every snapshot taken is written.
    void Stop(int timeout_ms) override;

    // Queues the back buffer (the picture on show) to be written to `path` as BMP or JPEG by
    // the snapshot thread, in order. Worker thread.
    void SaveSnapshot(const std::filesystem::path& path);

    // True while the worker finds its buffer empty: every picture it was given has been shown.
    // Any thread.
    bool IsStarved() const { return starved_.load(); }

protected:
    int Run() override;

private:
    bool KeepGoing() const { return IsRunning() && !stopping_.load(); }
    bool PrepareOutput();
    bool DecodePacket(const PacketRecord& packet);
    bool QueuePicture(const PacketRecord& packet);
    bool TransferPicture();
    void HoldAfterPicture();
    void ServiceRefresh();

    CVBuffer2& packets_;
    PlayState& play_;
    std::atomic<int>& display_mode_;
    AudioHold audio_hold_;
    PictureListener picture_listener_;
    VideoOutput* output_ = nullptr;
    std::atomic<bool> stopping_{false};
    // Cleared before every take from the buffer and set when one finds it empty, so it is never
    // set while a packet taken is still being decoded or shown.
    std::atomic<bool> starved_{false};

    // The worker's own.
    bool needs_present_ = false; // a new picture is in the back buffer, or a hold re-presents
    BackwardFrames frames_;
    CVideoPresenter presenter_;
    CH264Decoder decoder_;
    PicturePlanes current_;       // the picture to be shown next
    PacketRecord current_packet_; // and the packet it came from
    SnapshotQueue snapshots_;     // its own thread; Push from the worker's
};

} // namespace korvex
