#include "engine/play_state.h"

#include <utility>

namespace korvex {

PlayState::PlayState(Clock& clock) : pacing_clock_(30, clock) {}

// A new speed or pause ends the picture's pacing wait at once: at the slowest states one wait
// lasts seconds, and the command would otherwise only take effect after it.
void PlayState::SetSpeed(int speed) {
    if (speed >= 0 && speed < kSpeedStates && speed_.exchange(speed) != speed) {
        pacing_clock_.Signal();
    }
}

void PlayState::SetPause(bool paused) {
    if (paused_.exchange(paused) != paused) {
        pacing_clock_.Signal();
    }
}

void PlayState::RequestSnapshot(std::string base_path, int count) {
    std::lock_guard lock(snapshot_lock_);
    snapshot_base_path_ = std::move(base_path);
    shot_index_ = 0;
    shots_remaining_ = count;
}

unsigned PlayState::TakePictureCount() {
    const unsigned count = shown_pictures_.exchange(0);
    last_tick_picture_count_.store(count);
    return count;
}

bool PlayState::EndSingleStep() {
    int expected = kSpeedStep;
    return speed_.compare_exchange_strong(expected, kSpeedHeld);
}

void PlayState::SetVideoSize(int width, int height) {
    video_width_.store(width);
    video_height_.store(height);
}

std::optional<SnapshotShot> PlayState::TakeSnapshotShot() {
    std::lock_guard lock(snapshot_lock_);
    if (shots_remaining_ <= 0) {
        return std::nullopt;
    }
    --shots_remaining_;
    return SnapshotShot{snapshot_base_path_, shot_index_++};
}

} // namespace korvex
