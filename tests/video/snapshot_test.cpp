#include "coded_pictures.h"
#include "mkcard/block_code.h"
#include "snapshot_files.h"
#include "temp_dir.h"
#include "video/snapshot_name.h"
#include "video/snapshot_queue.h"
#include "video/snapshot_writer.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace korvex {
namespace {

// 2011-03-05 14:07:09 in the zone of the test.
std::time_t LocalTime() {
    std::tm local{};
    local.tm_year = 111;
    local.tm_mon = 2;
    local.tm_mday = 5;
    local.tm_hour = 14;
    local.tm_min = 7;
    local.tm_sec = 9;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST(SnapshotNameTest, BasePathsAndShotNumbers) {
    struct Case {
        const char* folder;
        int image_type;
        const char* base;
    };
    const Case cases[] = {
        {"/home/u/Pictures/Capture/", 0, "/home/u/Pictures/Capture/2011-03-05 14-07-09.bmp"},
        {"/home/u/Pictures/Capture", 1, "/home/u/Pictures/Capture/2011-03-05 14-07-09.jpg"},
        {"/media//card//", 7, "/media/card/2011-03-05 14-07-09.jpg"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SnapshotBasePath(c.folder, LocalTime(), c.image_type), c.base) << c.folder;
    }
    EXPECT_EQ(SnapshotShotPath("/p/2011-03-05 14-07-09.bmp", 0), "/p/2011-03-05 14-07-09--001.bmp");
    EXPECT_EQ(SnapshotShotPath("/p/2011-03-05 14-07-09.jpg", 41),
              "/p/2011-03-05 14-07-09--042.jpg");
    for (auto [configured, shots] : {std::pair{-2, 1}, {0, 1}, {1, 1}, {5, 5}}) {
        EXPECT_EQ(SnapshotShotCount(configured), shots) << configured;
    }
}

// A decoded picture with a block code, in the back buffer's two formats.
VideoSurface CodedPicture(VideoSurface::Format format, int index = 77) {
    constexpr int kWidth = 320;
    constexpr int kHeight = 180;
    VideoSurface yuv;
    yuv.Reshape(VideoSurface::Format::kYuv420, kWidth, kHeight);
    std::fill(yuv.plane(0), yuv.plane(0) + kWidth * kHeight, 128);
    std::fill(yuv.plane(1), yuv.plane(1) + 2 * ChromaWidth(kWidth) * ChromaHeight(kHeight), 128);
    mkcard::WriteBlockCode(mkcard::YuvView{yuv.plane(0), yuv.plane(1), yuv.plane(2), yuv.stride(0),
                                           yuv.stride(1), yuv.stride(2), kWidth, kHeight},
                           BlockCode{3, index});
    if (format == VideoSurface::Format::kYuv420) {
        return yuv;
    }
    VideoSurface rgb;
    rgb.Reshape(VideoSurface::Format::kBgrx32, kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            std::fill_n(rgb.plane(0) + y * rgb.stride(0) + x * 4, 4, yuv.plane(0)[y * kWidth + x]);
        }
    }
    return rgb;
}

TEST(SnapshotWriterTest, WritesTheBackBufferAtItsOwnSizeIntoANewFolder) {
    test::TempDir temp;
    for (auto format : {VideoSurface::Format::kYuv420, VideoSurface::Format::kBgrx32}) {
        const VideoSurface picture = CodedPicture(format);
        for (const char* name : {"a/b/shot--001.bmp", "a/c/shot--001.jpg"}) {
            const auto path = temp / name;
            std::filesystem::remove_all(temp / "a");
            ASSERT_TRUE(SaveSnapshot(picture, path)) << name;
            const auto image = test::ReadImage(path);
            ASSERT_TRUE(image) << name;
            EXPECT_EQ(image->width(), picture.width());
            EXPECT_EQ(image->height(), picture.height());
            EXPECT_EQ(test::ReadBlockCode(*image), (BlockCode{3, 77})) << name;
        }
    }
}

TEST(SnapshotWriterTest, WritesNothingForOtherExtensionsOrPlaces) {
    test::TempDir temp;
    const VideoSurface picture = CodedPicture(VideoSurface::Format::kBgrx32);
    EXPECT_FALSE(SaveSnapshot(picture, temp / "shot--001.png"));
    EXPECT_FALSE(std::filesystem::exists(temp / "shot--001.png"));
    test::WriteFile(temp / "file", "x"); // a file where the folder should be
    EXPECT_FALSE(SaveSnapshot(picture, temp / "file" / "shot--001.bmp"));
    EXPECT_FALSE(SaveSnapshot(VideoSurface{}, temp / "empty--001.bmp"));
}

// Shots are written off the caller's thread, from copies taken when queued, in queue order: the
// last shot into a path is the one left there.
TEST(SnapshotQueueTest, WritesCopiesInOrder) {
    test::TempDir temp;
    constexpr int kShots = 6;
    {
        SnapshotQueue queue;
        for (int i = 1; i <= kShots; ++i) {
            VideoSurface picture = CodedPicture(VideoSurface::Format::kYuv420, i);
            queue.Push(picture, temp / "same--001.bmp");
            queue.Push(picture, temp / ("shot--00" + std::to_string(i) + ".jpg"));
            picture.Fill(0); // the queue holds its own copy
        }
        queue.AwaitWritten();
        const auto last = test::ReadImage(temp / "same--001.bmp");
        ASSERT_TRUE(last);
        EXPECT_EQ(test::ReadBlockCode(*last), (BlockCode{3, kShots}));
        // Queued once more and left to the destructor, which writes it before it returns.
        queue.Push(CodedPicture(VideoSurface::Format::kBgrx32, 9), temp / "end--001.bmp");
    }
    for (int i = 1; i <= kShots; ++i) {
        const auto image = test::ReadImage(temp / ("shot--00" + std::to_string(i) + ".jpg"));
        ASSERT_TRUE(image) << i;
        EXPECT_EQ(test::ReadBlockCode(*image), (BlockCode{3, i}));
    }
    const auto end = test::ReadImage(temp / "end--001.bmp");
    ASSERT_TRUE(end);
    EXPECT_EQ(test::ReadBlockCode(*end), (BlockCode{3, 9}));
}

} // namespace
} // namespace korvex
