// Snapshots read every picture by its own range and matrix: they match ffmpeg's conversion of
// the same picture, read as the stream says (or, saying nothing, by its size).
#include "coded_pictures.h"
#include "command_output.h"
#include "snapshot_files.h"
#include "temp_dir.h"
#include "video/snapshot_name.h"
#include "video_worker_rig.h"

extern "C" {
#include <libavutil/pixfmt.h>
}

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace korvex {
namespace {

struct Case {
    const char* name;
    int width;
    int height;
    mkcard::StreamForm form;
    // How ffmpeg is told to read the picture.
    const char* range;
    const char* matrix;
};

const Case kCases[] = {
    {"limited, unsignalled, small", 320, 180, {}, "tv", "bt601"},
    {"full, unsignalled, small", 320, 180, {.full_range = true}, "pc", "bt601"},
    {"limited, BT.709, small", 320, 180, {.colour_matrix = AVCOL_SPC_BT709}, "tv", "bt709"},
    {"limited, unsignalled, 720 lines", 1280, 720, {}, "tv", "bt709"},
    {"full, BT.601, 720 lines",
     1280,
     720,
     {.full_range = true, .colour_matrix = AVCOL_SPC_SMPTE170M},
     "pc",
     "bt601"},
};

// ffmpeg's B, G, R, A pixels of the one picture of `stream` read with the case's range and
// matrix.
std::string FfmpegPicture(const Case& c, const std::filesystem::path& stream) {
    const std::string filter = std::string("scale=in_range=") + c.range +
                               ":in_color_matrix=" + c.matrix + ":out_range=pc,format=bgra";
    const test::CommandOutput out =
        test::RunCommand("ffmpeg -v error -f h264 -i '" + stream.string() + "' -frames:v 1 -vf " +
                         filter + " -f rawvideo -");
    EXPECT_EQ(out.status, 0) << "ffmpeg could not convert the picture";
    return out.output;
}

// The mean difference of every colour byte, over the whole picture.
double MeanDifference(const VideoSurface& ours, const std::string& theirs) {
    const int width = ours.width();
    const int height = ours.height();
    if (theirs.size() != static_cast<std::size_t>(width) * height * 4) {
        return 255;
    }
    double sum = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int channel = 0; channel < 3; ++channel) {
                const int a = ours.plane(0)[y * ours.stride(0) + x * 4 + channel];
                const int b = static_cast<uint8_t>(theirs[(y * width + x) * 4 + channel]);
                sum += std::abs(a - b);
            }
        }
    }
    return sum / (3.0 * width * height);
}

// A snapshot of the picture on show, in the display mode given (0 YUV back buffer, 1 RGB).
std::optional<VideoSurface> Snapshot(const test::CodedPicture& picture, int display_mode,
                                     const test::TempDir& temp) {
    test::VideoWorkerRig rig;
    rig.display_mode = display_mode;
    rig.play.SetPause(true);
    rig.Feed({picture});
    EXPECT_TRUE(rig.worker.Start());
    rig.AwaitHolding();
    const std::string base =
        SnapshotBasePath((temp / std::to_string(display_mode)).string(), std::time(nullptr), 0);
    rig.play.RequestSnapshot(base, 1);
    const std::filesystem::path shot = SnapshotShotPath(base, 0);
    rig.AwaitUntil([&] { return std::filesystem::exists(shot); }, "the snapshot");
    rig.worker.Stop(CMyThread::kStopTimeoutMs);
    return test::ReadBmp(shot);
}

TEST(SnapshotColourTest, SnapshotsMatchFfmpegsReadingOfThePicture) {
    for (const Case& c : kCases) {
        test::TempDir temp;
        const auto pictures = test::EncodePictures(1, c.width, c.height, 5, 1, c.form);
        ASSERT_EQ(pictures.size(), 1u);
        const std::filesystem::path stream = test::WriteFile(
            temp / "picture.h264",
            {reinterpret_cast<const char*>(pictures[0].bytes.data()), pictures[0].bytes.size()});
        const std::string theirs = FfmpegPicture(c, stream);
        for (const int display_mode : {0, 1}) {
            const auto ours = Snapshot(pictures[0], display_mode, temp);
            ASSERT_TRUE(ours) << c.name;
            ASSERT_EQ(ours->width(), c.width);
            EXPECT_LT(MeanDifference(*ours, theirs), 1.5)
                << c.name << ", display mode " << display_mode;
        }
    }
}

} // namespace
} // namespace korvex
