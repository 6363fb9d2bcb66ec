// AVI clips: every picture inside the marks as one frame and the audio as PCM, judged by
// ffprobe and ffmpeg, with the block codes of the decoded pictures showing the exported range.

#include "clip_model.h"
#include "export_run.h"
#include "outside_judges.h"
#include "shared_card.h"
#include "temp_dir.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvex {
namespace {

constexpr int kFps = 30;
constexpr int kGop = 30;

const test::SharedCard& Card() {
    static const test::SharedCard card([] {
        mkcard::CardOptions options;
        options.count = 3;
        // 8 s of pictures hold exactly 375 AAC frames, so that no recording has sound beyond
        // its pictures (a shorter one would carry up to a frame more sound across each join).
        options.seconds = 8;
        options.fps = kFps;
        options.gop = kGop;
        return options;
    }());
    return card;
}

const mkcard::WrittenRecording& Recording(int index) {
    return Card().Written(index);
}

// A position where the PES of picture `index` of the recording is complete: a mark there starts
// a clip with the next picture (when that one completes in a later block).
std::int64_t WherePictureCompletes(int recording, int index) {
    const mkcard::WrittenRecording& r = Recording(recording);
    return test::EndOfBlockHolding(
        static_cast<std::int64_t>(r.picture_offsets.at(static_cast<std::size_t>(index) + 1)), 189,
        static_cast<std::int64_t>(r.size));
}

std::vector<mkcard::WrittenRecording> Chain(int from, int to) {
    const auto& recordings = Card().Card().recordings;
    return {recordings.begin() + from, recordings.begin() + to + 1};
}

TEST(AviBackup, PicturesAndSoundOfTheMarkedRange) {
    struct Case {
        const char* name;
        const char* output;
        int in_recording;
        int first_picture; // a key picture, so that ffmpeg decodes everything
        int out_recording;
        int out_after_picture;
    };
    const Case cases[] = {
        {"one recording", "one.avi", 0, kGop, 0, 100},
        {"three recordings, in capitals", "THREE.AVI", 0, 2 * kGop, 2, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ClipRange marks{Recording(c.in_recording).path.string(),
                              WherePictureCompletes(c.in_recording, c.first_picture - 1),
                              Recording(c.out_recording).path.string(),
                              WherePictureCompletes(c.out_recording, c.out_after_picture)};
        const auto expected = test::ExpectedPictures(Chain(c.in_recording, c.out_recording), marks);
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(expected.front(), (BlockCode{Recording(c.in_recording).number, c.first_picture}))
            << "the mark must start the clip at the key picture";

        const std::string output = (Card() / c.output).string();
        const test::ExportRun run = test::RunExport(output, marks);
        EXPECT_TRUE(run.avi_mode);
        EXPECT_EQ(run.result.outcome, BackupOutcome::kFinished) << run.text;
        EXPECT_EQ(run.text, output + " Finish Backup");
        EXPECT_EQ(run.result.video_frames, static_cast<int>(expected.size()));

        const auto streams = test::ProbeStreams(output);
        EXPECT_EQ(streams.at("streams.stream.0.codec_name"), "h264");
        EXPECT_EQ(streams.at("streams.stream.0.r_frame_rate"), "30/1");
        EXPECT_EQ(streams.at("streams.stream.0.nb_read_packets"), std::to_string(expected.size()));
        EXPECT_EQ(streams.at("streams.stream.1.codec_name"), "pcm_s16le");
        EXPECT_EQ(streams.at("streams.stream.1.sample_rate"), "48000");
        EXPECT_EQ(streams.at("streams.stream.1.channels"), "1");
        const double video_seconds = static_cast<double>(expected.size()) / kFps;
        // The samples in the clip; every decoded AAC frame gives 1024 of them.
        const int samples = std::stoi(streams.at("streams.stream.1.nb_frames"));
        EXPECT_EQ(samples, 1024 * std::stoi(streams.at("streams.stream.1.nb_read_packets")));
        const double audio_seconds = samples / 48000.0;
        // Each stream is cut at whole frames of its own where the marks fall, so at the two
        // ends together they may differ by a picture and an AAC frame, never more.
        EXPECT_NEAR(audio_seconds, video_seconds, 1.0 / kFps + 1024 / 48000.0);

        int status = -1;
        EXPECT_EQ(test::DecodeErrors(output, &status), "");
        EXPECT_EQ(status, 0);
        EXPECT_EQ(test::DecodedBlockCodes(output, 320, 180), expected);
    }
}

// A mark in the middle of a group of pictures: the clip starts with the pictures that follow
// it, key picture or not, each flagged as a key frame.
TEST(AviBackup, MarkInsideAGroupStartsWithOtherPictures) {
    // A picture in the middle of the second group that completes in a later block than the
    // one before it, so that a mark can fall between them.
    int first = kGop + kGop / 2;
    while (WherePictureCompletes(1, first - 1) == WherePictureCompletes(1, first)) {
        ++first;
    }
    ASSERT_LT(first, 2 * kGop);
    const ClipRange marks{Recording(1).path.string(), WherePictureCompletes(1, first - 1),
                          Recording(1).path.string(), WherePictureCompletes(1, 2 * kGop + 10)};
    const auto expected = test::ExpectedPictures(Chain(1, 1), marks);
    ASSERT_EQ(expected.front(), (BlockCode{Recording(1).number, first}));

    const std::string output = (Card() / "group.avi").string();
    const test::ExportRun run = test::RunExport(output, marks);
    EXPECT_EQ(run.result.outcome, BackupOutcome::kFinished) << run.text;
    const auto streams = test::ProbeStreams(output);
    EXPECT_EQ(streams.at("streams.stream.0.nb_read_packets"), std::to_string(expected.size()));

    const std::string file = test::ReadFile(output);
    const std::size_t chunk = test::FindChunk(file, "00dc");
    ASSERT_NE(chunk, std::string::npos);
    EXPECT_EQ(file.substr(chunk + 8, 4), std::string("\0\0\0\x01", 4));
    EXPECT_EQ(static_cast<std::uint8_t>(file.at(chunk + 12)) & 0x1F, 1) << "a non-IDR slice";
    // The decodable pictures, from the next key picture on, are the range's.
    const auto codes = test::DecodedBlockCodes(output, 320, 180);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), expected.back());
}

} // namespace
} // namespace korvex
