#include "video_worker_rig.h"

#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

namespace korvex::test {

VideoWorkerRig::VideoWorkerRig(bool yuv_output, ManualClock::Mode mode)
    : clock(mode), play(clock), output(yuv_output),
      worker(
          packets, play, display_mode, [this](bool hold) { audio_held = hold; }, clock) {
    output.SetListener([this](const VideoSurface& picture) { Record(picture); });
    output.KeepScreen();
    worker.SetOutput(&output);
    packets.SetChainState(0);
    packets.Open(16 << 20, 512 << 10, BufferMode::kBlocking);
    packets.Rewind(&writing_);
}

VideoWorkerRig::~VideoWorkerRig() {
    worker.Stop(CMyThread::kStopTimeoutMs);
    // A worker that Stop abandoned in a wait of a stepped clock would never end otherwise.
    clock.Advance(24 * 3600 * 1000);
    packets.Close();
}

void VideoWorkerRig::Feed(const std::vector<CodedPicture>& pictures, int speed_field,
                          int frame_rate) {
    for (const CodedPicture& picture : pictures) {
        std::memcpy(writing_.data, picture.bytes.data(), picture.bytes.size());
        writing_.size = static_cast<int>(picture.bytes.size());
        writing_.type = picture.key ? kKeyPicture : kOtherPicture;
        writing_.frame_rate = frame_rate;
        writing_.speed = speed_field;
        // Which picture a packet carries, as its time stamp and position say.
        writing_.time_stamp = static_cast<double>(picture.index) / frame_rate;
        writing_.position = picture.index;
        const uint8_t* before = writing_.data;
        packets.Put(writing_);
        ASSERT_NE(writing_.data, before) << "picture " << picture.index << " was not queued";
    }
}

void VideoWorkerRig::AwaitUntil(const std::function<bool()>& done, const char* what) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        ASSERT_LT(std::chrono::steady_clock::now(), give_up) << "gave up waiting: " << what;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void VideoWorkerRig::AwaitDrained() {
    // The held packet leaves the list only with the worker's next take.
    AwaitUntil([this] { return packets.Count() == 0; }, "every packet taken");
}

void VideoWorkerRig::AwaitHolding() {
    const int again = output.ShowAgainCount();
    AwaitUntil([&] { return audio_held && output.ShowAgainCount() >= again + 3; }, "a hold");
}

void VideoWorkerRig::Record(const VideoSurface& picture) {
    const auto code = ReadBlockCode(picture);
    ShownPicture shown{-1, -1, clock.NowMs(), picture.format()};
    if (code) {
        shown.number = code->number;
        shown.index = code->index;
    }
    {
        std::lock_guard hold(lock_);
        shown_.push_back(shown);
    }
    if (on_shown) {
        on_shown(shown);
    }
}

std::vector<ShownPicture> VideoWorkerRig::Shown() const {
    std::lock_guard hold(lock_);
    std::vector<ShownPicture> coded;
    for (const ShownPicture& picture : shown_) {
        if (picture.index >= 0) {
            coded.push_back(picture);
        }
    }
    return coded;
}

std::vector<int> VideoWorkerRig::ShownIndexes() const {
    std::vector<int> indexes;
    for (const ShownPicture& picture : Shown()) {
        indexes.push_back(picture.index);
    }
    return indexes;
}

} // namespace korvex::test
