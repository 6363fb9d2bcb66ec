#include "coded_pictures.h"
#include "exif_tags.h"
#include "mkcard/block_code.h"
#include "snapshot_files.h"
#include "temp_dir.h"
#include "time_zone.h"
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

// exiftool's names of every tag a snapshot may carry, and its check of the file.
const std::vector<std::string> kSnapshotTags = {
    "ModifyDate",      "DateTimeOriginal", "OffsetTime",   "OffsetTimeOriginal",
    "GPSVersionID",    "GPSLatitudeRef",   "GPSLatitude",  "GPSLongitudeRef",
    "GPSLongitude",    "GPSSpeedRef",      "GPSSpeed",     "GPSImgDirectionRef",
    "GPSImgDirection", "GPSDateStamp",     "GPSTimeStamp", "Validate"};

// A JPEG file carries the picture's local time with the zone's offset (half an hour off here,
// and behind UTC) and, with a fix, where the car was, as read back and checked by exiftool; a
// picture without a time or a fix carries none of those tags.
TEST(SnapshotWriterTest, JpegFilesCarryTheTimeAndTheFixAsExif) {
    const test::ScopedTimeZone zone("America/St_Johns"); // -02:30 in May
    const std::int64_t taken = test::UtcTime("2024-05-17 11:00:07");
    const GpsFix north_east{{24.0777151, 120.5289033, 45.3, 271.25},
                            RmcTime{2024, 5, 17, 11, 0, 6}};
    const GpsFix south_west{{-33.8688, -151.2093, 0, 0}, std::nullopt};
    struct Case {
        const char* name;
        PictureTags tags;
        test::ExifTags expected;
    };
    // exiftool's check of the file: no errors, no warnings, no minor warnings.
    const std::pair<std::string, std::string> valid = {"Validate", "0 0 0"};
    const test::ExifTags time_only = {valid,
                                      {"ModifyDate", "2024:05:17 08:30:07"},
                                      {"DateTimeOriginal", "2024:05:17 08:30:07"},
                                      {"OffsetTime", "-02:30"},
                                      {"OffsetTimeOriginal", "-02:30"}};
    test::ExifTags full = time_only;
    full.insert({{"GPSVersionID", "2 3 0 0"},
                 {"GPSLatitudeRef", "N"},
                 {"GPSLatitude", "24.0777151"},
                 {"GPSLongitudeRef", "E"},
                 {"GPSLongitude", "120.5289033"},
                 {"GPSSpeedRef", "K"},
                 {"GPSSpeed", "45.3"},
                 {"GPSImgDirectionRef", "T"},
                 {"GPSImgDirection", "271.25"},
                 {"GPSDateStamp", "2024:05:17"},
                 {"GPSTimeStamp", "11:00:06"}});
    const test::ExifTags south_west_only = {valid,
                                            {"GPSVersionID", "2 3 0 0"},
                                            {"GPSLatitudeRef", "S"},
                                            {"GPSLatitude", "-33.8688"},
                                            {"GPSLongitudeRef", "W"},
                                            {"GPSLongitude", "-151.2093"},
                                            {"GPSSpeedRef", "K"},
                                            {"GPSSpeed", "0"},
                                            {"GPSImgDirectionRef", "T"},
                                            {"GPSImgDirection", "0"}};
    const Case cases[] = {
        {"full.jpg", {taken, north_east}, full},
        {"time.jpg", {taken, std::nullopt}, time_only},
        {"south-west.jpg", {std::nullopt, south_west}, south_west_only},
        {"bare.jpg", {}, {valid}},
    };
    test::TempDir temp;
    const VideoSurface picture = CodedPicture(VideoSurface::Format::kYuv420);
    std::vector<std::filesystem::path> files;
    for (const Case& c : cases) {
        files.push_back(temp / c.name);
        ASSERT_TRUE(SaveSnapshot(picture, files.back(), c.tags)) << c.name;
        const auto image = test::ReadImage(files.back()); // still a picture any reader decodes
        ASSERT_TRUE(image) << c.name;
        EXPECT_EQ(test::ReadBlockCode(*image), (BlockCode{3, 77})) << c.name;
    }
    const auto read = test::ReadExifTags(files, kSnapshotTags);
    for (const Case& c : cases) {
        const auto file = read.find(c.name);
        ASSERT_NE(file, read.end()) << c.name;
        for (const auto& [tag, value] : file->second) {
            const auto expected = c.expected.find(tag);
            ASSERT_NE(expected, c.expected.end()) << c.name << " carries " << tag;
            if (tag == "GPSLatitude" || tag == "GPSLongitude") { // to 0.001" of arc
                EXPECT_NEAR(std::stod(value), std::stod(expected->second), 0.001 / 3600)
                    << c.name << " " << tag;
            } else {
                EXPECT_EQ(value, expected->second) << c.name << " " << tag;
            }
        }
        EXPECT_EQ(file->second.size(), c.expected.size()) << c.name;
    }
}

// A bitmap has no place for the tags: it is written as it always was.
TEST(SnapshotWriterTest, BitmapsCarryNoTags) {
    test::TempDir temp;
    const VideoSurface picture = CodedPicture(VideoSurface::Format::kBgrx32);
    const PictureTags tags{test::UtcTime("2024-05-17 11:00:07"),
                           GpsFix{{24.07, 120.52, 45, 90}, RmcTime{2024, 5, 17, 11, 0, 6}}};
    ASSERT_TRUE(SaveSnapshot(picture, temp / "plain.bmp"));
    ASSERT_TRUE(SaveSnapshot(picture, temp / "tagged.bmp", tags));
    EXPECT_EQ(test::ReadFile(temp / "tagged.bmp"), test::ReadFile(temp / "plain.bmp"));
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
