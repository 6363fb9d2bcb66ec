#pragma once

#include "video/picture_tags.h"
#include "video/video_surface.h"

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

namespace korvex {

// Writes snapshots on a thread of its own, so that encoding and writing never hold up the
// video worker's pictures. Shots are written in the order they were queued, each replacing its
// file as a whole (video/snapshot_writer.h). Each queued shot holds a packed copy of its picture.
//
// Threading: Push from one thread (the video worker's); construction and destruction on the
// owner's. Destruction writes what is still queued, then ends the thread: no shot is lost.
class SnapshotQueue {
public:
    SnapshotQueue();
    ~SnapshotQueue();
    SnapshotQueue(const SnapshotQueue&) = delete;
    SnapshotQueue& operator=(const SnapshotQueue&) = delete;

    // Queues a shot of `picture` (copied now) into `path`, tagged with `tags`.
    void Push(const VideoSurface& picture, std::filesystem::path path, PictureTags tags = {});

    // Until every shot queued so far is written (or failed).
    void AwaitWritten();

private:
    struct Shot {
        VideoSurface picture;
        std::filesystem::path path;
        PictureTags tags;
    };

    void Run();

    std::mutex lock_; // guards everything below
    std::condition_variable changed_;
    std::deque<Shot> shots_;
    bool writing_ = false;
    bool ending_ = false;
    std::thread thread_; // last: it starts once the rest is made
};

} // namespace korvex
