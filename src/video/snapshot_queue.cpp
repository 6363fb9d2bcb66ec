#include "video/snapshot_queue.h"

#include "video/snapshot_writer.h"

#include <utility>

namespace korvex {

SnapshotQueue::SnapshotQueue() : thread_([this] { Run(); }) {}

SnapshotQueue::~SnapshotQueue() {
    {
        std::lock_guard hold(lock_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void SnapshotQueue::Push(const VideoSurface& picture, std::filesystem::path path,
                         PictureTags tags) {
    VideoSurface copy = picture; // outside the lock: the writer may be taking the next shot
    {
        std::lock_guard hold(lock_);
        shots_.push_back({std::move(copy), std::move(path), std::move(tags)});
    }
    changed_.notify_all();
}

void SnapshotQueue::AwaitWritten() {
    std::unique_lock hold(lock_);
    changed_.wait(hold, [this] { return shots_.empty() && !writing_; });
}

void SnapshotQueue::Run() {
    std::unique_lock hold(lock_);
    for (;;) {
        changed_.wait(hold, [this] { return ending_ || !shots_.empty(); });
        if (shots_.empty()) {
            return; // ending, and nothing left to write
        }
        Shot shot = std::move(shots_.front());
        shots_.pop_front();
        writing_ = true;
        hold.unlock();
        SaveSnapshot(shot.picture, shot.path, shot.tags);
        hold.lock();
        writing_ = false;
        changed_.notify_all();
    }
}

} // namespace korvex
