#include "channel_rig.h"
#include "coded_pictures.h"
#include "exif_tags.h"
#include "snapshot_files.h"
#include "time_zone.h"
#include "video/snapshot_name.h"

#include <cmath>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvex {
namespace {

using test::ChannelRig;

constexpr int kClock = 90000;

std::string ExifTime(std::time_t time, const char* format) {
    std::tm t{};
    localtime_r(&time, &t);
    char text[32];
    std::strftime(text, sizeof text, format, &t);
    return text;
}

// The GPS text a picture carries. The reader has a PES once the next on its stream begins: a
// picture once the next picture does, a text once the next text does. So of the texts the card
// wrote before the next picture, the last but one; none before that.
const mkcard::WrittenGpsText* TextOf(const mkcard::WrittenRecording& recording, int index) {
    const std::int64_t next =
        recording.first_pts + std::int64_t{index + 1} * kClock / recording.fps;
    const mkcard::WrittenGpsText* read = nullptr;
    const mkcard::WrittenGpsText* beginning = nullptr;
    for (const mkcard::WrittenGpsText& text : recording.gps) {
        if (text.pts < next) {
            read = beginning;
            beginning = &text;
        }
    }
    return read;
}

// Every JPEG shot of a playing card says when its picture was taken (the recording's start plus
// the picture's time stamp, in local time with the zone's offset) and, while the camera had a
// fix, where, as exiftool reads them; a picture without a fix has the time and no GPS tags.
TEST(ChannelSnapshot, JpegShotsCarryTheTimeAndTheFixOfTheirPicture) {
    const test::ScopedTimeZone zone("America/St_Johns"); // -02:30 in May, behind UTC
    ChannelRig rig;
    mkcard::CardOptions options = mkcard::TinyCard(1, 4, 10);
    options.no_fix[0] = {{1, 2}}; // status 'V' in the second second
    const mkcard::WrittenRecording& recording = rig.WriteCard(options).recordings[0];
    const std::string base = (rig.dir / "shots/card.jpg").string();
    const int shots = recording.pictures + 10; // some pictures, if any, shot more than once
    ASSERT_TRUE(rig.OpenCard(0, [&](CTSChn& channel) { channel.RequestSnapshot(base, shots); }));
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < shots; ++i) {
        files.push_back(SnapshotShotPath(base, i));
    }
    ASSERT_TRUE(rig.AwaitUntil([&] { return std::filesystem::exists(files.back()); }));
    rig.channel->Close(); // every queued shot written

    const auto read = test::ReadExifTags(
        files, {"DateTimeOriginal", "ModifyDate", "OffsetTimeOriginal", "GPSLatitude",
                "GPSLatitudeRef", "GPSLongitude", "GPSLongitudeRef", "GPSSpeed", "GPSSpeedRef",
                "GPSImgDirection", "GPSImgDirectionRef", "GPSDateStamp", "GPSTimeStamp"});
    int with_fix = 0;
    int without_fix = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        const auto image = test::ReadImage(file);
        ASSERT_TRUE(image);
        const auto code = test::ReadBlockCode(*image);
        ASSERT_TRUE(code);
        ASSERT_EQ(code->number, recording.number);
        const auto tags = read.find(file.filename().string());
        ASSERT_NE(tags, read.end());
        const test::ExifTags& got = tags->second;
        auto tag = [&got](const char* name) {
            const auto found = got.find(name);
            return found == got.end() ? std::string("(missing)") : found->second;
        };

        const std::int64_t pts =
            recording.first_pts + std::int64_t{code->index} * kClock / recording.fps;
        const std::time_t taken = recording.start_time + pts / kClock;
        EXPECT_EQ(tag("DateTimeOriginal"), ExifTime(taken, "%Y:%m:%d %H:%M:%S"));
        EXPECT_EQ(tag("ModifyDate"), tag("DateTimeOriginal"));
        EXPECT_EQ(tag("OffsetTimeOriginal"), "-02:30");

        const mkcard::WrittenGpsText* text = TextOf(recording, code->index);
        if (text == nullptr || !text->fix) {
            ++without_fix;
            EXPECT_EQ(got.count("GPSLatitude") + got.count("GPSLongitude") + got.count("GPSSpeed") +
                          got.count("GPSDateStamp"),
                      0u);
            continue;
        }
        ++with_fix;
        EXPECT_NEAR(std::stod(tag("GPSLatitude")), text->latitude, 1e-6);
        EXPECT_EQ(tag("GPSLatitudeRef"), text->latitude < 0 ? "S" : "N");
        EXPECT_NEAR(std::stod(tag("GPSLongitude")), text->longitude, 1e-6);
        EXPECT_EQ(tag("GPSLongitudeRef"), text->longitude < 0 ? "W" : "E");
        EXPECT_NEAR(std::stod(tag("GPSSpeed")), text->speed_knots * 1.852, 0.001);
        EXPECT_EQ(tag("GPSSpeedRef"), "K");
        EXPECT_NEAR(std::stod(tag("GPSImgDirection")), text->course, 0.001);
        EXPECT_EQ(tag("GPSImgDirectionRef"), "T");
        std::tm utc{};
        gmtime_r(&text->utc, &utc);
        char date[16];
        std::strftime(date, sizeof date, "%Y:%m:%d", &utc);
        EXPECT_EQ(tag("GPSDateStamp"), date);
        char time[16];
        std::strftime(time, sizeof time, "%H:%M:%S", &utc);
        EXPECT_EQ(tag("GPSTimeStamp"), time);
    }
    // The card's first second, its second without a fix, and the rest were all shot.
    EXPECT_GT(with_fix, 0);
    EXPECT_GT(without_fix, 0);
}

} // namespace
} // namespace korvex
