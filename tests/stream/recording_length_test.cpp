#include "stream/recording_entry.h"
#include "stream/recording_length.h"
#include "temp_dir.h"
#include "ts_bytes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

namespace korvex {
namespace {

using test::Bytes;

// A video PES of `packets` packets on `pid` with the given PTS (ticks of 1/90000 s).
Bytes VideoUnit(std::uint64_t pts, int packets = 3, int pid = kCameraVideoPid) {
    Bytes pes = test::MakePes(pts, {}, Bytes(static_cast<std::size_t>(packets) * 184 - 14, 0x5A));
    std::vector<Bytes> parts;
    for (std::size_t at = 0; at < pes.size(); at += 184) {
        parts.push_back(test::MakePacket(
            pid, at == 0, Bytes(pes.begin() + at, pes.begin() + std::min(pes.size(), at + 184))));
    }
    return test::Concat(parts);
}

// Units 1/30 s apart from 0 up to `last_pts`, then whatever `tail` holds.
Bytes Recording(double last_seconds, const Bytes& tail = {}, int packets = 3) {
    std::vector<Bytes> parts;
    const auto last = static_cast<std::uint64_t>(last_seconds * 90000);
    for (std::uint64_t pts = last % 3000; pts <= last; pts += 3000) {
        parts.push_back(VideoUnit(pts, packets));
    }
    parts.push_back(tail);
    return test::Concat(parts);
}

std::string Write(const test::TempDir& dir, const Bytes& bytes, const char* name = "REC_0001.ts") {
    return test::WriteFile(dir / name, std::string(bytes.begin(), bytes.end())).string();
}

TEST(LengthOf, IsTheTimeStampOfTheLastPictureInWholeSeconds) {
    test::TempDir dir;
    struct Case {
        const char* what;
        Bytes bytes;
        int length;
    };
    const Case cases[] = {
        {"plain", Recording(59.9), 59},
        {"last picture in the last packet", Recording(59.9, VideoUnit(61 * 90000, 1)), 61},
        {"a last time stamp of 0 is passed over", Recording(12.5, VideoUnit(0)), 12},
        {"other PIDs are not read", Recording(7.2, VideoUnit(99 * 90000, 3, 0x1100)), 7},
        {"large pictures across blocks", Recording(4.1, {}, 60), 4},
        {"garbage after the last packet", Recording(3.5, Bytes(5000, 0x47)), 3},
        {"short file", Recording(0.5, VideoUnit(2 * 90000)), 2},
        {"no video", Bytes(40000, 0x47), 0},
        {"empty", {}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LengthOf(Write(dir, c.bytes)), c.length) << c.what;
    }
    EXPECT_EQ(LengthOf((dir / "missing.ts").string()), 0);
}

TEST(MakeRecordingEntry, StartsTheLengthBeforeTheModificationTime) {
    test::TempDir dir;
    const std::string path = Write(dir, Recording(59.9), "REC_0042.ts");
    const std::int64_t end = 1700000460; // 12:01:00 of some day
    const utimbuf times{end, end};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
    ::chmod(path.c_str(), 0444);

    const RecordingEntry entry = MakeRecordingEntry(path);
    EXPECT_EQ(entry.number, 42);
    EXPECT_EQ(entry.path, path);
    EXPECT_EQ(entry.end_time, end);
    EXPECT_EQ(entry.start_time, end - 59); // 12:00:01
    EXPECT_EQ(entry.read_only, 1);

    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(MakeRecordingEntry(path).read_only, 0);
    EXPECT_EQ(MakeRecordingEntry((dir / "REC_7.ts").string()).start_time, 0); // unreadable
}

} // namespace
} // namespace korvex
