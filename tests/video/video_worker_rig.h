#pragma once

// A video worker with everything it talks to, as a channel would wire it, for the worker's
// tests: a packet buffer fed by the test (as the stream reader would), the play state on a
// manual clock, the in-memory output, the display mode and an audio hold that is recorded.

#include "coded_pictures.h"
#include "engine/manual_clock.h"
#include "engine/play_state.h"
#include "engine/video_packet_buffer.h"
#include "video/memory_video_output.h"
#include "video/video_ctx.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

namespace korvex::test {

struct ShownPicture {
    int number = -1; // block code; -1 for a picture without one (black)
    int index = -1;
    int64_t at_ms = 0; // the clock when it was shown
    VideoSurface::Format format = VideoSurface::Format::kNone;
};

class VideoWorkerRig {
public:
    // An auto-advancing clock runs the worker as fast as it can go on a consistent time.
    explicit VideoWorkerRig(bool yuv_output = true,
                            ManualClock::Mode mode = ManualClock::Mode::kAutoAdvance);
    ~VideoWorkerRig();

    // Queues pictures as the reader does: type by key, the signed speed field, the frame rate;
    // the time stamp (index / frame rate) and the position (index) tell the picture's index.
    void Feed(const std::vector<CodedPicture>& pictures, int speed_field = 1, int frame_rate = 30);

    // Until the worker has finished with every queued packet (its next take found none).
    void AwaitDrained();
    // Until the worker holds and has re-presented the picture on show a few times.
    void AwaitHolding();
    // Until `done` holds; fails the test after a generous real-time limit.
    void AwaitUntil(const std::function<bool()>& done, const char* what);

    // The coded pictures shown, in order.
    std::vector<ShownPicture> Shown() const;
    std::vector<int> ShownIndexes() const;

    // Called on the worker's thread for every picture shown, after it is recorded.
    std::function<void(const ShownPicture&)> on_shown;

private:
    void Record(const VideoSurface& picture);

    // Before the worker, which still shows a black picture when it is destroyed.
    mutable std::mutex lock_;
    std::vector<ShownPicture> shown_;
    PacketRecord writing_; // the reader's write position

public:
    ManualClock clock;
    PlayState play;
    CVBuffer2 packets{1000};
    InMemoryVideoOutput output;
    std::atomic<int> display_mode{0};
    std::atomic<bool> audio_held{false};
    CVideoCtx worker;
};

} // namespace korvex::test
