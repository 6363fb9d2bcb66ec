// An AVI clip past 1 GiB, written straight through the writer with large synthetic frames:
// ffprobe must find every frame of both streams through the OpenDML indexes.

#include "export/avi_file.h"
#include "outside_judges.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(AviFileLarge, PastOneGibibyteEveryFrameIsFound) {
    constexpr int kFrames = 1100; // of 1 MiB: 1.07 GiB of video
    constexpr std::size_t kFrameSize = 1 << 20;
    std::vector<std::uint8_t> frame(kFrameSize, 0xAA);
    const std::uint8_t slice[] = {0, 0, 0, 1, 0x41};
    std::copy(std::begin(slice), std::end(slice), frame.begin());
    const std::vector<std::uint8_t> pcm(2048, 0); // 1024 samples of silence, as a decoded frame

    test::TempDir dir;
    const auto path = dir / "large.avi";
    {
        CAviFile avi;
        ASSERT_TRUE(avi.Create(path.string(), 1920, 1080, 30));
        for (int i = 0; i < kFrames; ++i) {
            ASSERT_TRUE(avi.WriteVideo(frame)) << avi.Error();
            ASSERT_TRUE(avi.WriteAudio(pcm)) << avi.Error();
        }
        ASSERT_TRUE(avi.Close()) << avi.Error();
    }
    ASSERT_GT(std::filesystem::file_size(path), std::uintmax_t{1} << 30);

    const auto streams = test::ProbeStreams(path);
    EXPECT_EQ(streams.at("streams.stream.0.codec_name"), "h264");
    EXPECT_EQ(streams.at("streams.stream.0.nb_read_packets"), std::to_string(kFrames));
    EXPECT_EQ(streams.at("streams.stream.0.nb_frames"), std::to_string(kFrames));
    EXPECT_EQ(streams.at("streams.stream.1.nb_read_packets"), std::to_string(kFrames));
}

} // namespace
} // namespace korvex
