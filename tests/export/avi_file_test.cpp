// The AVI writer's headers, formats and index flags, read back byte by byte, and files of
// several RIFFs as ffprobe reads them.

#include "export/avi_file.h"
#include "outside_judges.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <numeric>

namespace korvex {
namespace {

using test::FindChunk;
using test::U16At;
using test::U32At;

std::vector<std::uint8_t> Bytes(std::size_t size, std::uint8_t first) {
    std::vector<std::uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

// An H.264-looking frame: a start code and a slice NAL header, then filler.
std::vector<std::uint8_t> Frame(std::size_t size) {
    std::vector<std::uint8_t> frame(size, 0xAA);
    const std::uint8_t start[] = {0, 0, 0, 1, 0x65};
    std::copy(std::begin(start), std::end(start), frame.begin());
    return frame;
}

TEST(AviFile, HeadersFormatsAndIndexFlags) {
    test::TempDir dir;
    const auto path = dir / "one.avi";
    CAviFile avi;
    ASSERT_TRUE(avi.Create(path.string(), 1, 1, 2));
    ASSERT_TRUE(avi.WriteVideo(Frame(11)));   // odd: padded in the file
    ASSERT_TRUE(avi.WriteAudio(Bytes(5, 1))); // odd: two samples
    ASSERT_TRUE(avi.WriteVideo(Frame(20)));
    ASSERT_TRUE(avi.WriteAudio({})); // nothing
    EXPECT_EQ(avi.VideoFrames(), 2);
    EXPECT_EQ(avi.AudioSamples(), 2);
    ASSERT_TRUE(avi.Close());
    EXPECT_EQ(avi.VideoFrames(), 0);

    const std::string file = test::ReadFile(path);
    EXPECT_EQ(file.substr(0, 4), "RIFF");
    EXPECT_EQ(U32At(file, 4), file.size() - 8);
    EXPECT_EQ(file.substr(8, 4), "AVI ");

    const std::size_t avih = FindChunk(file, "avih") + 8;
    EXPECT_EQ(U32At(file, avih + 0), 500000u); // microseconds a frame at 2 a second
    EXPECT_EQ(U32At(file, avih + 12), 0x110u); // has an index, interleaved
    EXPECT_EQ(U32At(file, avih + 16), 2u);     // frames
    EXPECT_EQ(U32At(file, avih + 24), 2u);     // streams
    EXPECT_EQ(U32At(file, avih + 32), 1u);     // width
    EXPECT_EQ(U32At(file, avih + 36), 1u);     // height

    const std::size_t vids = FindChunk(file, "strh", 0) + 8;
    EXPECT_EQ(file.substr(vids, 4), "vids");
    EXPECT_EQ(file.substr(vids + 4, 4), "AVC1");
    EXPECT_EQ(U32At(file, vids + 8), 0u);           // flags
    EXPECT_EQ(U32At(file, vids + 20), 1000u);       // scale
    EXPECT_EQ(U32At(file, vids + 24), 2000u);       // rate
    EXPECT_EQ(U32At(file, vids + 28), 0u);          // start
    EXPECT_EQ(U32At(file, vids + 32), 2u);          // length
    EXPECT_EQ(U32At(file, vids + 36), 20u);         // suggested buffer: the largest frame
    EXPECT_EQ(U32At(file, vids + 40), 0xFFFFFFFFu); // quality: default
    EXPECT_EQ(U32At(file, vids + 44), 0u);          // sample size
    EXPECT_EQ(U16At(file, vids + 52), 1u);          // frame rectangle right
    EXPECT_EQ(U16At(file, vids + 54), 1u);          // and bottom

    const std::size_t bitmap = FindChunk(file, "strf", 0);
    EXPECT_EQ(U32At(file, bitmap + 4), 40u);
    EXPECT_EQ(U32At(file, bitmap + 8), 40u);
    EXPECT_EQ(U32At(file, bitmap + 12), 1u);  // width
    EXPECT_EQ(U32At(file, bitmap + 16), 1u);  // height
    EXPECT_EQ(U16At(file, bitmap + 20), 1u);  // planes
    EXPECT_EQ(U16At(file, bitmap + 22), 24u); // bits
    EXPECT_EQ(file.substr(bitmap + 24, 4), "X264");
    EXPECT_EQ(U32At(file, bitmap + 28), 4u); // a row of 3 bytes takes 4

    const std::size_t auds = FindChunk(file, "strh", 1) + 8;
    EXPECT_EQ(file.substr(auds, 4), "auds");
    EXPECT_EQ(U32At(file, auds + 4), 0u);      // handler
    EXPECT_EQ(U32At(file, auds + 20), 2u);     // scale
    EXPECT_EQ(U32At(file, auds + 24), 96000u); // rate
    EXPECT_EQ(U32At(file, auds + 32), 2u);     // length in samples
    EXPECT_EQ(U32At(file, auds + 40), 0u);     // quality
    EXPECT_EQ(U32At(file, auds + 44), 2u);     // sample size

    const std::size_t wave = FindChunk(file, "strf", 1);
    EXPECT_EQ(U32At(file, wave + 4), 18u);
    EXPECT_EQ(U16At(file, wave + 8), 1u);  // PCM
    EXPECT_EQ(U16At(file, wave + 10), 1u); // mono
    EXPECT_EQ(U32At(file, wave + 12), 48000u);
    EXPECT_EQ(U32At(file, wave + 16), 96000u);
    EXPECT_EQ(U16At(file, wave + 20), 2u); // block alignment
    EXPECT_EQ(U16At(file, wave + 22), 16u);
    EXPECT_EQ(U16At(file, wave + 24), 0u); // extra size

    // One RIFF: an AVI 1.0 file, the room for the extended indexes left as JUNK.
    EXPECT_EQ(FindChunk(file, "indx"), std::string::npos);
    EXPECT_EQ(FindChunk(file, "odml"), std::string::npos);
    EXPECT_EQ(FindChunk(file, "AVIX"), std::string::npos);

    // The chunks in the order written, the odd one padded, the audio cut to whole samples.
    const std::size_t movi = FindChunk(file, "movi");
    const std::size_t first = movi + 4;
    EXPECT_EQ(file.substr(first, 4), "00dc");
    EXPECT_EQ(U32At(file, first + 4), 11u);
    const std::size_t second = first + 8 + 12;
    EXPECT_EQ(file.substr(second, 4), "01wb");
    EXPECT_EQ(U32At(file, second + 4), 4u);
    EXPECT_EQ(file.substr(second + 8, 4), std::string("\x01\x02\x03\x04", 4));

    const std::size_t idx1 = FindChunk(file, "idx1");
    ASSERT_NE(idx1, std::string::npos);
    ASSERT_EQ(U32At(file, idx1 + 4), 3u * 16);
    const char* ids[] = {"00dc", "01wb", "00dc"};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t entry = idx1 + 8 + 16 * i;
        EXPECT_EQ(file.substr(entry, 4), ids[i]);
        EXPECT_EQ(U32At(file, entry + 4), 0x10u) << "every chunk a key frame";
        // Offsets count from the 'movi' type code to the chunk's header.
        EXPECT_EQ(file.substr(movi + U32At(file, entry + 8), 4), ids[i]);
    }
}

TEST(AviFile, CloseTwiceOrWithoutCreateDoesNothing) {
    CAviFile avi;
    EXPECT_TRUE(avi.Close());
    EXPECT_FALSE(avi.IsOpen());
    EXPECT_FALSE(avi.WriteVideo(Frame(10)));
    EXPECT_FALSE(avi.WriteAudio(Bytes(4, 0)));
    test::TempDir dir;
    ASSERT_TRUE(avi.Create((dir / "a.avi").string(), 320, 180, 30));
    EXPECT_TRUE(avi.Close());
    EXPECT_TRUE(avi.Close());
}

TEST(AviFile, CreateFailsWithTheReason) {
    test::TempDir dir;
    test::WriteFile(dir / "plain", "x");
    struct Case {
        std::string path;
        int frame_rate;
        std::string reason;
        int width = 320;
        int height = 180;
    };
    const Case cases[] = {
        {(dir / "missing" / "a.avi").string(), 30, "No such file or directory"},
        {(dir / "plain" / "a.avi").string(), 30, "Not a directory"},
        {(dir / "a.avi").string(), 0, "pictures per second"},
        {(dir / "a.avi").string(), 30, "no picture size 0x0", 0, 0},
        {(dir / "a.avi").string(), 30, "no picture size 320x0", 320, 0},
        {(dir / "a.avi").string(), 30, "no picture size 0x180", 0, 180},
    };
    for (const Case& c : cases) {
        CAviFile avi;
        EXPECT_FALSE(avi.Create(c.path, c.width, c.height, c.frame_rate)) << c.path;
        EXPECT_FALSE(avi.IsOpen());
        EXPECT_NE(avi.Error().find(c.path), std::string::npos) << avi.Error();
        EXPECT_NE(avi.Error().find(c.reason), std::string::npos) << avi.Error();
    }
}

// With a small RIFF limit the extensions and the OpenDML indexes appear at once.
TEST(AviFile, ClipBeyondItsFirstRiffStaysReadable) {
    test::TempDir dir;
    const auto path = dir / "long.avi";
    constexpr int kFrames = 300;
    CAviFile avi(256 * 1024);
    ASSERT_TRUE(avi.Create(path.string(), 320, 180, 30));
    for (int i = 0; i < kFrames; ++i) {
        ASSERT_TRUE(avi.WriteVideo(Frame(4000 + static_cast<std::size_t>(i) % 7)));
        ASSERT_TRUE(avi.WriteAudio(Bytes(2048, static_cast<std::uint8_t>(i))));
    }
    ASSERT_TRUE(avi.Close());

    const std::string file = test::ReadFile(path);
    EXPECT_NE(FindChunk(file, "AVIX"), std::string::npos);
    EXPECT_NE(FindChunk(file, "odml"), std::string::npos);
    EXPECT_NE(FindChunk(file, "ix00"), std::string::npos);
    EXPECT_NE(FindChunk(file, "ix01"), std::string::npos);
    EXPECT_EQ(U32At(file, FindChunk(file, "dmlh") + 8), static_cast<std::uint32_t>(kFrames));
    // Every RIFF within the limit, each one's size field right.
    for (std::size_t at = 0; at < file.size();) {
        ASSERT_EQ(file.substr(at, 4), "RIFF") << at;
        const std::uint32_t size = U32At(file, at + 4);
        EXPECT_LE(size + 8u, 256u * 1024);
        at += 8 + size;
    }
    const auto streams = test::ProbeStreams(path);
    EXPECT_EQ(streams.at("streams.stream.0.codec_name"), "h264");
    EXPECT_EQ(streams.at("streams.stream.0.nb_read_packets"), std::to_string(kFrames));
    EXPECT_EQ(streams.at("streams.stream.1.codec_name"), "pcm_s16le");
    EXPECT_EQ(streams.at("streams.stream.1.nb_read_packets"), std::to_string(kFrames));
}

} // namespace
} // namespace korvex
