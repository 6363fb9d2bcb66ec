#include "coded_pictures.h"
#include "video/bgrx_conversion.h"
#include "video/h264_decoder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace korvex {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 180;

std::optional<BlockCode> DecodedCode(const CH264Decoder& decoder) {
    VideoSurface luma;
    luma.Reshape(VideoSurface::Format::kYuv420, decoder.PictureWidth(), decoder.PictureHeight());
    const PicturePlanes planes = decoder.Picture();
    CopyPlane(planes.data[0], planes.stride[0], luma.plane(0), luma.stride(0), luma.width(),
              luma.height());
    return test::ReadBlockCode(luma);
}

TEST(H264DecoderTest, EveryPacketGivesItsPictureAtOnce) {
    const auto pictures = test::EncodePictures(12, kWidth, kHeight, 5);
    CH264Decoder decoder;
    ASSERT_TRUE(decoder.Open(0, 0, 0));
    for (const auto& picture : pictures) {
        ASSERT_TRUE(decoder.Decode(picture.bytes)) << "picture " << picture.index;
        EXPECT_EQ(decoder.PictureWidth(), kWidth);
        EXPECT_EQ(decoder.PictureHeight(), kHeight);
        EXPECT_EQ(DecodedCode(decoder), (BlockCode{1, picture.index}));
    }
}

TEST(H264DecoderTest, BadInputGivesNoPictureAndDecodingGoesOn) {
    const auto pictures = test::EncodePictures(6, kWidth, kHeight, 3);
    CH264Decoder decoder;
    ASSERT_TRUE(decoder.Open(0, 0, 0));
    const std::vector<uint8_t> garbage(700, 0x5A);
    // An empty packet must not put the decoder into draining.
    EXPECT_FALSE(decoder.Decode(std::span(pictures[0].bytes).first(0)));
    EXPECT_FALSE(decoder.Decode(garbage));
    for (int i : {0, 1, 3}) { // picture 2 lost: 3 is a key picture again
        const auto& bytes = pictures[static_cast<size_t>(i)].bytes;
        ASSERT_TRUE(decoder.Decode(bytes)) << i;
        EXPECT_EQ(DecodedCode(decoder), (BlockCode{1, i}));
    }
}

// A packet record that tells which picture it carries by its position and time stamp.
PacketRecord RecordOf(const test::CodedPicture& picture) {
    PacketRecord record;
    record.type = picture.key ? kKeyPicture : kOtherPicture;
    record.position = picture.index;
    record.time_stamp = picture.index / 30.0;
    return record;
}

TEST(H264DecoderTest, AReorderedPictureComesWithTheRecordOfItsOwnPacket) {
    constexpr int kGop = 8;
    const auto pictures = test::EncodePictures(24, kWidth, kHeight, kGop, 1, {.b_frames = 2});
    ASSERT_NE(pictures[1].index, 1); // the stream does reorder
    CH264Decoder decoder;
    ASSERT_TRUE(decoder.Open(0, 0, 0));
    std::vector<int> shown;
    for (const auto& picture : pictures) {
        if (!decoder.Decode(picture.bytes, RecordOf(picture))) {
            continue;
        }
        const auto code = DecodedCode(decoder);
        ASSERT_TRUE(code);
        const PacketRecord& record = decoder.PictureRecord();
        EXPECT_EQ(record.position, code->index);
        EXPECT_DOUBLE_EQ(record.time_stamp, code->index / 30.0);
        EXPECT_EQ(record.type, code->index % kGop == 0 ? kKeyPicture : kOtherPicture);
        shown.push_back(code->index);
    }
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end())) << testing::PrintToString(shown);
    EXPECT_GE(shown.size(), pictures.size() - 4); // low delay: at most the reorder depth is held
}

TEST(H264DecoderTest, AfterAFlushNothingDecodedBeforeItComesOut) {
    const auto before = test::EncodePictures(10, kWidth, kHeight, 5, 1, {.b_frames = 2});
    const auto after = test::EncodePictures(10, kWidth, kHeight, 5, 2, {.b_frames = 2});
    CH264Decoder decoder;
    ASSERT_TRUE(decoder.Open(0, 0, 0));
    for (int i = 0; i < 7; ++i) { // into the second group, with pictures held back
        decoder.Decode(before[static_cast<size_t>(i)].bytes,
                       RecordOf(before[static_cast<size_t>(i)]));
    }
    decoder.Flush();
    int shown = 0;
    for (const auto& picture : after) {
        if (decoder.Decode(picture.bytes, RecordOf(picture))) {
            EXPECT_EQ(DecodedCode(decoder)->number, 2);
            EXPECT_EQ(decoder.PictureRecord().position, DecodedCode(decoder)->index);
            ++shown;
        }
    }
    EXPECT_GT(shown, 5);
}

TEST(H264DecoderTest, ConverterGivesRgbOfThePicture) {
    const auto pictures = test::EncodePictures(1, kWidth, kHeight, 5);
    CH264Decoder decoder;
    ASSERT_TRUE(decoder.Open(0, 0, 0));
    EXPECT_EQ(decoder.Converter(), nullptr);
    EXPECT_FALSE(decoder.Open(kWidth, kHeight, 16)); // the back buffer is always 32-bit
    ASSERT_TRUE(decoder.Open(kWidth, kHeight, 32));
    ASSERT_NE(decoder.Converter(), nullptr);
    ASSERT_TRUE(decoder.Decode(pictures[0].bytes));
    VideoSurface rgb;
    rgb.Reshape(VideoSurface::Format::kBgrx32, kWidth, kHeight);
    ConvertToBgrx(decoder.Converter(), decoder.Picture(), kHeight, rgb);
    EXPECT_EQ(test::ReadBlockCode(rgb), (BlockCode{1, 0}));
}

} // namespace
} // namespace korvex
