#pragma once

#include "engine/clock.h"
#include "engine/fps_ctrl.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

namespace korvex {

// Speed states.
inline constexpr int kSpeedHeld = 0;     // held after a single step
inline constexpr int kSpeedNormal = 1;   // 2-6 faster, 7-10 slower
inline constexpr int kSpeedBackward = 7; // also the state of backward play
inline constexpr int kSpeedStep = 11;    // show one picture, then hold
inline constexpr int kSpeedStates = 12;

// One snapshot to write: the request's base path and the number of shots written before it.
struct SnapshotShot {
    std::string base_path;
    int index = 0;
};

// What the user interface tells a channel's workers, and what the workers tell back: the speed
// state, the pause and normal-speed flags, the snapshot request, the picture counters and size,
// and the pacing clock. The channel holds one; the reader, the workers and the snapshot writer
// depend on it and on nothing else of the channel.
//
// Every field is an atomic, read without a lock, except the snapshot request, whose three
// fields change together under a short lock of their own so the worker never sees a base path
// being replaced. The video worker writes the speed state back only from 11 to 0, by
// compare-and-exchange, so a command stored in between is never overwritten.
class PlayState {
public:
    explicit PlayState(Clock& clock = SystemClock()); // pacing at 30 pictures per second

    // --- User-interface thread.
    // Both end a pacing wait when they change the value.
    void SetSpeed(int speed); // 0-11; other values are ignored
    void SetPause(bool paused);
    void SetNormalSpeed(bool normal) { normal_speed_.store(normal); }
    // Replaces any request still being served: shot index 0, `count` shots to go.
    void RequestSnapshot(std::string base_path, int count);
    // The pictures shown since the last call (kept as LastTickPictureCount), and starts afresh.
    unsigned TakePictureCount();
    unsigned LastTickPictureCount() const { return last_tick_picture_count_.load(); }

    // --- Any thread.
    int Speed() const { return speed_.load(); }
    bool IsPaused() const { return paused_.load(); }
    bool IsNormalSpeed() const { return normal_speed_.load(); }
    double PacingRate() const { return pacing_clock_.GetRate(); }
    int VideoWidth() const { return video_width_.load(); }
    int VideoHeight() const { return video_height_.load(); }
    int GroupLength() const { return group_length_.load(); }

    // --- Video worker.
    // Speed state 11 -> 0 after the step's picture; false (and no change) when the user
    // interface has stored another state since.
    bool EndSingleStep();
    void CountShownPicture() { shown_pictures_.fetch_add(1); }
    void SetVideoSize(int width, int height);
    void SetGroupLength(int length) { group_length_.store(length); }
    // The next shot of the current request, counted as served; none when all are served.
    std::optional<SnapshotShot> TakeSnapshotShot();
    // Its Stop may Signal from the controlling thread.
    CFpsCtrl& pacing_clock() { return pacing_clock_; }

private:
    std::atomic<unsigned> last_tick_picture_count_ = 0;
    std::atomic<unsigned> shown_pictures_ = 0;
    std::atomic<int> video_width_ = 0;
    std::atomic<int> video_height_ = 0;
    std::atomic<int> group_length_ = 0;
    CFpsCtrl pacing_clock_;
    std::atomic<int> speed_ = kSpeedNormal;
    std::atomic<bool> paused_ = false;
    std::mutex snapshot_lock_; // guards the three snapshot fields
    int shot_index_ = 0;
    int shots_remaining_ = 0;
    std::string snapshot_base_path_;
    std::atomic<bool> normal_speed_ = true;
};

} // namespace korvex
