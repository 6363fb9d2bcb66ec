#include "coded_pictures.h"
#include "video/bgrx_conversion.h"
#include "video/h264_decoder.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 180;

std::optional<mkcard::BlockCode> DecodedCode(const CH264Decoder& decoder) {
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
        ASSERT_TRUE(decoder.Decode(picture.bytes.data(), static_cast<int>(picture.bytes.size())))
            << "picture " << picture.index;
        EXPECT_EQ(decoder.PictureWidth(), kWidth);
        EXPECT_EQ(decoder.PictureHeight(), kHeight);
        EXPECT_EQ(DecodedCode(decoder), (mkcard::BlockCode{1, picture.index}));
    }
}

TEST(H264DecoderTest, BadInputGivesNoPictureAndDecodingGoesOn) {
    const auto pictures = test::EncodePictures(6, kWidth, kHeight, 3);
    CH264Decoder decoder;
    ASSERT_TRUE(decoder.Open(0, 0, 0));
    const std::vector<uint8_t> garbage(700, 0x5A);
    // An empty packet must not put the decoder into draining.
    EXPECT_FALSE(decoder.Decode(pictures[0].bytes.data(), 0));
    EXPECT_FALSE(decoder.Decode(garbage.data(), static_cast<int>(garbage.size())));
    for (int i : {0, 1, 3}) { // picture 2 lost: 3 is a key picture again
        const auto& bytes = pictures[static_cast<size_t>(i)].bytes;
        ASSERT_TRUE(decoder.Decode(bytes.data(), static_cast<int>(bytes.size()))) << i;
        EXPECT_EQ(DecodedCode(decoder), (mkcard::BlockCode{1, i}));
    }
}

TEST(H264DecoderTest, ConverterGivesRgbOfThePicture) {
    const auto pictures = test::EncodePictures(1, kWidth, kHeight, 5);
    CH264Decoder decoder;
    ASSERT_TRUE(decoder.Open(0, 0, 0));
    EXPECT_EQ(decoder.Converter(), nullptr);
    EXPECT_FALSE(decoder.Open(kWidth, kHeight, 16)); // the back buffer is always 32-bit
    ASSERT_TRUE(decoder.Open(kWidth, kHeight, 32));
    ASSERT_NE(decoder.Converter(), nullptr);
    ASSERT_TRUE(
        decoder.Decode(pictures[0].bytes.data(), static_cast<int>(pictures[0].bytes.size())));
    VideoSurface rgb;
    rgb.Reshape(VideoSurface::Format::kBgrx32, kWidth, kHeight);
    ConvertToBgrx(decoder.Converter(), decoder.Picture(), kHeight, rgb);
    EXPECT_EQ(test::ReadBlockCode(rgb), (mkcard::BlockCode{1, 0}));
}

} // namespace
} // namespace korvex
