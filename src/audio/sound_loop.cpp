#include "audio/sound_loop.h"

#include "engine/auto_reset_event.h"

#include <algorithm>
#include <cassert>

namespace korvex {

SoundLoop::SoundLoop(AutoResetEvent& notification) : notification_(notification) {}

std::span<std::uint8_t> SoundLoop::StageBlock(int offset) {
    assert(offset >= 0 && offset < kSoundLoopBytes && offset % kSoundBlockBytes == 0);
    staging_offset_ = offset;
    return staging_;
}

void SoundLoop::CommitBlock() {
    std::lock_guard lock(mutex_);
    std::copy(staging_.begin(), staging_.end(), bytes_.begin() + staging_offset_);
}

int SoundLoop::PlayCursor() const {
    std::lock_guard lock(mutex_);
    return cursor_;
}

void SoundLoop::Rewind() {
    std::lock_guard lock(mutex_);
    cursor_ = 0;
}

void SoundLoop::Acknowledge() {
    std::lock_guard lock(mutex_);
    acknowledged_ = notifications_;
    acknowledged_changed_.notify_all();
}

void SoundLoop::Take(std::span<std::uint8_t> out) {
    bool notify = false;
    {
        std::lock_guard lock(mutex_);
        std::size_t done = 0;
        while (done < out.size()) {
            const std::size_t run =
                std::min(out.size() - done, static_cast<std::size_t>(kSoundLoopBytes - cursor_));
            const int from = cursor_;
            std::copy_n(bytes_.begin() + from, run,
                        out.begin() + static_cast<std::ptrdiff_t>(done));
            done += run;
            cursor_ = (cursor_ + static_cast<int>(run)) % kSoundLoopBytes;
            // The block middles in (from, from + run].
            const int to = from + static_cast<int>(run);
            const int passed = (to + kSoundNotifyOffset) / kSoundBlockBytes -
                               (from + kSoundNotifyOffset) / kSoundBlockBytes;
            notifications_ += static_cast<std::uint64_t>(passed);
            notify = notify || passed > 0;
        }
    }
    if (notify) {
        notification_.Set();
    }
}

bool SoundLoop::AwaitAcknowledged() {
    std::unique_lock lock(mutex_);
    acknowledged_changed_.wait(lock,
                               [this] { return cancelled_ || acknowledged_ == notifications_; });
    return !cancelled_;
}

void SoundLoop::CancelWaits() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    acknowledged_changed_.notify_all();
}

} // namespace korvex
