#include "snapshot_files.h"
#include "temp_dir.h"
#include "video/snapshot_name.h"
#include "video_worker_rig.h"

#include <gtest/gtest.h>
#include <mutex>
#include <numeric>

namespace korvex {
namespace {

using test::VideoWorkerRig;

constexpr int kWidth = 320;
constexpr int kHeight = 180;

std::vector<int> Range(int from, int to) { // [from, to)
    std::vector<int> indexes(static_cast<size_t>(to - from));
    std::iota(indexes.begin(), indexes.end(), from);
    return indexes;
}

std::vector<int> Concat(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

std::vector<test::CodedPicture> Slice(const std::vector<test::CodedPicture>& pictures, int from,
                                      int to) {
    return {pictures.begin() + from, pictures.begin() + to};
}

TEST(VideoCtxTest, ForwardPlayShowsEveryPictureInOrderAndCountsIt) {
    VideoWorkerRig rig;
    rig.Feed(test::EncodePictures(40, kWidth, kHeight, 10));
    ASSERT_TRUE(rig.worker.Start());
    rig.AwaitDrained();
    EXPECT_EQ(rig.ShownIndexes(), Range(0, 40));
    EXPECT_EQ(rig.play.TakePictureCount(), 40u);
    EXPECT_EQ(rig.play.VideoWidth(), kWidth);
    EXPECT_EQ(rig.play.VideoHeight(), kHeight);
    EXPECT_EQ(rig.play.GroupLength(), 9);
    rig.worker.Stop(CMyThread::kStopTimeoutMs);
    EXPECT_FALSE(test::ReadBlockCode(rig.output.Screen())); // black after the stop
}

// Groups of 30: the first group's length is not known yet, so only its key picture is shown;
// then the key picture and the first 29 * share non-key pictures of every group.
TEST(VideoCtxTest, FastStatesShowTheStartOfEachGroup) {
    const auto pictures = test::EncodePictures(90, kWidth, kHeight, 30);
    struct Case {
        int speed;
        int shown_per_group;
    };
    for (const Case c : {Case{3, 15}, Case{4, 8}, Case{5, 4}, Case{6, 2}}) {
        VideoWorkerRig rig;
        rig.play.SetSpeed(c.speed);
        rig.Feed(pictures, c.speed);
        ASSERT_TRUE(rig.worker.Start());
        rig.AwaitDrained();
        EXPECT_EQ(
            rig.ShownIndexes(),
            Concat({{0}, Range(30, 30 + c.shown_per_group), Range(60, 60 + c.shown_per_group)}))
            << "speed state " << c.speed;
    }
}

// The mean interval between shown pictures on the test clock, from the fourth on (the first
// ones may go out at once after a rate change).
TEST(VideoCtxTest, PacingFollowsTheFrameRateTimesTheMultiplier) {
    const auto pictures = test::EncodePictures(24, kWidth, kHeight, 12);
    struct Case {
        int speed;
        int frame_rate;
        double interval_ms;
    };
    for (const Case c : {Case{1, 30, 1000.0 / 30}, Case{2, 30, 1000.0 / 60},
                         Case{7, 30, 1000.0 / 15}, Case{10, 60, 1000.0 / 3.75},
                         Case{1, 0, 1000.0 / 60}}) { // no frame rate: 60 from the start
        VideoWorkerRig rig;
        rig.play.SetSpeed(c.speed);
        rig.Feed(pictures, c.speed, c.frame_rate);
        ASSERT_TRUE(rig.worker.Start());
        rig.AwaitDrained();
        const auto shown = rig.Shown();
        ASSERT_EQ(shown.size(), pictures.size());
        const double mean = static_cast<double>(shown.back().at_ms - shown[3].at_ms) /
                            static_cast<double>(shown.size() - 4);
        EXPECT_NEAR(mean, c.interval_ms, 1.0)
            << "speed state " << c.speed << ", frame rate " << c.frame_rate;
    }
}

// At 1/16 of 2 pictures per second a picture waits 8 s; pressing Play must not wait it out.
TEST(VideoCtxTest, ASpeedCommandEndsALongPacingWaitAndPacesFromThen) {
    VideoWorkerRig rig(true, ManualClock::Mode::kStepped);
    rig.play.SetSpeed(10);
    rig.Feed(test::EncodePictures(4, kWidth, kHeight, 1), 10, 2);
    ASSERT_TRUE(rig.worker.Start());
    // The first two go out at once (the start and the frame rate's change end their waits);
    // the third waits.
    rig.clock.AwaitWaiters(1);
    ASSERT_EQ(rig.Shown().size(), 2u);
    rig.play.SetSpeed(kSpeedNormal);
    rig.AwaitUntil([&] { return rig.Shown().size() == 3; }, "the waiting picture");
    rig.clock.AwaitWaiters(1);
    rig.clock.Advance(500); // one interval at normal speed
    rig.AwaitUntil([&] { return rig.Shown().size() == 4; }, "the next picture");
    const auto shown = rig.Shown();
    EXPECT_EQ(shown[2].at_ms, 0);
    EXPECT_EQ(shown[3].at_ms, 500);
}

// Groups arrive as the reader sends them backward: the last group first, each in decoding
// order. Each group is shown in reverse once the next one begins; the last one never is.
// Forward play then drops what was queued and shows its pictures at once.
TEST(VideoCtxTest, BackwardPlayShowsEachGroupReversedOneGroupBehind) {
    const auto pictures = test::EncodePictures(15, kWidth, kHeight, 5);
    VideoWorkerRig rig;
    rig.play.SetSpeed(kSpeedBackward);
    for (int group : {10, 5, 0}) {
        rig.Feed(Slice(pictures, group, group + 5), -kSpeedBackward);
    }
    ASSERT_TRUE(rig.worker.Start());
    rig.AwaitDrained();
    EXPECT_EQ(rig.ShownIndexes(), (std::vector<int>{14, 13, 12, 11, 10, 9, 8, 7, 6, 5}));

    rig.Feed(Slice(pictures, 0, 5), kSpeedNormal);
    rig.AwaitDrained();
    EXPECT_EQ(rig.ShownIndexes(),
              (std::vector<int>{14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 0, 1, 2, 3, 4}));
}

// What the worker told of a picture it showed: the picture's block code and its packet's fields.
struct Told {
    int number = -1;
    int index = -1;
    int type = 0;
    int position = -1;
    double time_stamp = -1;
};

void ListenTo(VideoWorkerRig& rig, std::mutex& lock, std::vector<Told>& told) {
    rig.worker.SetPictureListener([&lock, &told](const PictureNotice& notice) {
        const auto code = test::ReadBlockCode(notice.picture);
        std::lock_guard hold(lock);
        told.push_back({code ? code->number : -1, code ? code->index : -1, notice.packet.type,
                        notice.packet.position, notice.packet.time_stamp});
    });
}

TEST(VideoCtxTest, AReorderedPictureIsShownWithItsOwnPacketsFields) {
    constexpr int kGop = 6;
    const auto pictures = test::EncodePictures(24, kWidth, kHeight, kGop, 1, {.b_frames = 2});
    VideoWorkerRig rig;
    std::mutex lock;
    std::vector<Told> told;
    ListenTo(rig, lock, told);
    rig.Feed(pictures);
    ASSERT_TRUE(rig.worker.Start());
    rig.AwaitDrained();
    rig.worker.Stop(CMyThread::kStopTimeoutMs);
    ASSERT_GE(told.size(), pictures.size() - 4);
    int last = -1;
    for (const Told& picture : told) {
        EXPECT_EQ(picture.position, picture.index);
        EXPECT_DOUBLE_EQ(picture.time_stamp, picture.index / 30.0);
        EXPECT_EQ(picture.type, picture.index % kGop == 0 ? kKeyPicture : kOtherPicture)
            << picture.index;
        EXPECT_GT(picture.index, last); // in display order
        last = picture.index;
    }
}

// A seek empties the buffer: pictures the decoder still held from before it never come out.
TEST(VideoCtxTest, AfterAFlushOfTheBufferNoPictureFromBeforeItIsShown) {
    const auto before = test::EncodePictures(8, kWidth, kHeight, 6, 1, {.b_frames = 2});
    const auto after = test::EncodePictures(12, kWidth, kHeight, 6, 2, {.b_frames = 2});
    VideoWorkerRig rig;
    std::mutex lock;
    std::vector<Told> told;
    ListenTo(rig, lock, told);
    ASSERT_TRUE(rig.worker.Start());
    rig.Feed(Slice(before, 0, 5)); // into the second group, where B-pictures are held back
    rig.AwaitDrained();
    rig.packets.Clear();
    std::size_t shown_before = 0;
    {
        std::lock_guard hold(lock);
        shown_before = told.size();
    }
    rig.Feed(after);
    rig.AwaitDrained();
    rig.worker.Stop(CMyThread::kStopTimeoutMs);
    ASSERT_GT(told.size(), shown_before + 6);
    for (std::size_t i = shown_before; i < told.size(); ++i) {
        EXPECT_EQ(told[i].number, 2) << "picture " << told[i].index << " of the first stream";
    }
}

// A new picture size re-creates the presenter and drops the backward pictures queued at the
// old size: the group gathered before the change is never shown.
TEST(VideoCtxTest, SizeChangeRecreatesThePresenterAndDropsQueuedPictures) {
    VideoWorkerRig rig;
    rig.Feed(test::EncodePictures(5, kWidth, kHeight, 5, 1), -kSpeedBackward);
    rig.Feed(test::EncodePictures(5, 160, 96, 5, 2), -kSpeedBackward);
    rig.Feed(test::EncodePictures(5, 160, 96, 5, 3), -kSpeedBackward);
    ASSERT_TRUE(rig.worker.Start());
    rig.AwaitDrained();
    std::vector<std::pair<int, int>> shown;
    for (const auto& picture : rig.Shown()) {
        shown.emplace_back(picture.number, picture.index);
    }
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{2, 4}, {2, 3}, {2, 2}, {2, 1}, {2, 0}}));
    EXPECT_EQ(rig.output.OpenCount(), 2);
    EXPECT_EQ(rig.play.VideoWidth(), 160);
}

TEST(VideoCtxTest, PauseShowsOneMorePictureThenHoldsAndRepresents) {
    VideoWorkerRig rig;
    rig.on_shown = [&](const test::ShownPicture& picture) {
        if (picture.index == 2) {
            rig.play.SetPause(true); // while picture 3 is on its way
        }
    };
    rig.Feed(test::EncodePictures(10, kWidth, kHeight, 5));
    ASSERT_TRUE(rig.worker.Start());
    rig.AwaitHolding();
    EXPECT_EQ(rig.ShownIndexes(), Range(0, 4));
    EXPECT_TRUE(rig.audio_held);

    rig.play.SetPause(false);
    rig.AwaitDrained();
    EXPECT_EQ(rig.ShownIndexes(), Range(0, 10));
    EXPECT_FALSE(rig.audio_held);
}

TEST(VideoCtxTest, StepShowsExactlyOnePictureThenHoldsInStateZero) {
    VideoWorkerRig rig;
    rig.play.SetSpeed(kSpeedStep);
    rig.Feed(test::EncodePictures(6, kWidth, kHeight, 3));
    ASSERT_TRUE(rig.worker.Start());
    for (int steps = 1; steps <= 3; ++steps) {
        rig.AwaitHolding();
        EXPECT_EQ(rig.ShownIndexes(), Range(0, steps));
        EXPECT_EQ(rig.play.Speed(), kSpeedHeld);
        rig.play.SetSpeed(kSpeedStep);
    }
    rig.play.SetSpeed(kSpeedNormal);
    rig.AwaitDrained();
    EXPECT_EQ(rig.ShownIndexes(), Range(0, 6));
}

// The display mode is read for every picture; an output without YUV turns the YV12 mode into
// RGB for good.
TEST(VideoCtxTest, DisplayModeChoosesTheTransferForEveryPicture) {
    using Format = VideoSurface::Format;
    const auto pictures = test::EncodePictures(6, kWidth, kHeight, 3);
    {
        VideoWorkerRig rig;
        rig.on_shown = [&](const test::ShownPicture& picture) {
            rig.display_mode = (picture.index + 1) % 2;
        };
        rig.Feed(pictures);
        ASSERT_TRUE(rig.worker.Start());
        rig.AwaitDrained();
        std::vector<Format> formats;
        for (const auto& picture : rig.Shown()) {
            formats.push_back(picture.format);
        }
        EXPECT_EQ(formats,
                  (std::vector<Format>{Format::kYuv420, Format::kBgrx32, Format::kYuv420,
                                       Format::kBgrx32, Format::kYuv420, Format::kBgrx32}));
    }
    VideoWorkerRig rig(/*yuv_output=*/false);
    rig.Feed(pictures);
    ASSERT_TRUE(rig.worker.Start());
    rig.AwaitDrained();
    EXPECT_EQ(rig.display_mode, 1);
    for (const auto& picture : rig.Shown()) {
        EXPECT_EQ(picture.format, Format::kBgrx32);
    }
    EXPECT_EQ(rig.ShownIndexes(), Range(0, 6));
}

TEST(VideoCtxTest, FailingOutputDropsPicturesUntilItOpens) {
    const auto pictures = test::EncodePictures(10, kWidth, kHeight, 5);
    VideoWorkerRig rig;
    rig.output.SetOpenFails(true);
    rig.Feed(Slice(pictures, 0, 5));
    ASSERT_TRUE(rig.worker.Start());
    rig.AwaitDrained();
    EXPECT_TRUE(rig.ShownIndexes().empty());
    EXPECT_EQ(rig.play.VideoWidth(), 0);
    EXPECT_EQ(rig.play.TakePictureCount(), 0u);

    rig.output.SetOpenFails(false);
    rig.Feed(Slice(pictures, 5, 10));
    rig.AwaitDrained();
    EXPECT_EQ(rig.ShownIndexes(), Range(5, 10));
}

// Three shots of the held picture into a folder that does not exist yet, as BMP and as JPEG.
TEST(VideoCtxTest, SnapshotCommandWritesEveryShotOfTheShownPicture) {
    test::TempDir temp;
    VideoWorkerRig rig;
    rig.play.SetPause(true);
    rig.Feed(test::EncodePictures(3, kWidth, kHeight, 3));
    ASSERT_TRUE(rig.worker.Start());
    rig.AwaitHolding();
    const std::time_t now = std::time(nullptr);
    for (int image_type : {0, 1}) {
        const std::string folder = (temp / "new" / "Capture").string();
        const std::string base = SnapshotBasePath(folder, now, image_type);
        rig.play.RequestSnapshot(base, SnapshotShotCount(3));
        std::vector<std::filesystem::path> shots;
        for (int i = 0; i < 3; ++i) {
            shots.emplace_back(SnapshotShotPath(base, i));
        }
        rig.AwaitUntil([&] { return std::filesystem::exists(shots.back()); }, "three shots");
        for (const auto& shot : shots) {
            ASSERT_EQ(shot.parent_path(), folder);
            const auto image = test::ReadImage(shot);
            ASSERT_TRUE(image) << shot;
            EXPECT_EQ(image->width(), kWidth);
            EXPECT_EQ(image->height(), kHeight);
            EXPECT_EQ(test::ReadBlockCode(*image), (BlockCode{1, 0})) << shot;
        }
        EXPECT_FALSE(std::filesystem::exists(SnapshotShotPath(base, 3)));
    }
}

// On a clock that only moves when told to, the worker waits on the pacing clock; Stop must end
// that wait at once, or the join would be abandoned and the window not turned black.
TEST(VideoCtxTest, StopEndsAPacingWaitAndLeavesTheWindowBlack) {
    VideoWorkerRig rig(true, ManualClock::Mode::kStepped);
    rig.Feed(test::EncodePictures(4, kWidth, kHeight, 4));
    ASSERT_TRUE(rig.worker.Start());
    rig.AwaitUntil([&] { return rig.output.IsOpen(); }, "the first picture");
    rig.clock.AwaitWaiters(1);
    rig.worker.Stop(CMyThread::kStopTimeoutMs);
    const VideoSurface screen = rig.output.Screen();
    // Black in the back buffer's own format: the output takes YUV, so no 32-bit picture is made.
    ASSERT_EQ(screen.format(), VideoSurface::Format::kYuv420);
    EXPECT_EQ(screen.plane(0)[0], 0);
    EXPECT_EQ(screen.plane(1)[0], 128);
    EXPECT_EQ(screen.plane(2)[0], 128);
    EXPECT_FALSE(test::ReadBlockCode(screen));
}

} // namespace
} // namespace korvex
