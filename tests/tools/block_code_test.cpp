// The block code survives H.264 encoding and decoding, conversion to 32-bit RGB and scaling.

#include "mkcard/block_code.h"
#include "mkcard/h264_encoder.h"
#include "mkcard/scene_painter.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <gtest/gtest.h>
#include <vector>

namespace korvex::mkcard {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 180;
constexpr int kNumber = 4321;

// Decodes the access units with libavcodec's H.264 decoder, one picture per unit.
std::vector<FramePtr> Decode(const std::vector<AccessUnit>& units) {
    CodecContextPtr decoder(avcodec_alloc_context3(avcodec_find_decoder(AV_CODEC_ID_H264)));
    EXPECT_EQ(avcodec_open2(decoder.get(), decoder->codec, nullptr), 0);
    PacketPtr packet(av_packet_alloc());
    std::vector<FramePtr> pictures;
    auto receive = [&] {
        for (FramePtr frame(av_frame_alloc());
             avcodec_receive_frame(decoder.get(), frame.get()) == 0;
             frame.reset(av_frame_alloc())) {
            pictures.push_back(std::move(frame));
        }
    };
    for (const AccessUnit& unit : units) {
        packet->data = const_cast<uint8_t*>(unit.bytes.data());
        packet->size = static_cast<int>(unit.bytes.size());
        EXPECT_EQ(avcodec_send_packet(decoder.get(), packet.get()), 0);
        receive();
    }
    avcodec_send_packet(decoder.get(), nullptr);
    receive();
    return pictures;
}

// The picture as 32-bit B,G,R,X pixels of the given size.
std::vector<uint8_t> ToBgrx(const AVFrame& picture, int width, int height) {
    SwsContext* scaler =
        sws_getContext(picture.width, picture.height, AV_PIX_FMT_YUV420P, width, height,
                       AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    uint8_t* planes[] = {pixels.data()};
    const int strides[] = {width * 4};
    sws_scale(scaler, picture.data, picture.linesize, 0, picture.height, planes, strides);
    sws_freeContext(scaler);
    return pixels;
}

class BlockCodeTest : public testing::Test {
protected:
    // Encodes pictures 0..count-1 of recording kNumber (GOP 10) and decodes them again.
    std::vector<FramePtr> RoundTrip(int count) {
        H264Encoder encoder(kWidth, kHeight, 30, 10, 23);
        std::vector<AccessUnit> units;
        for (int i = 0; i < count; ++i) {
            const YuvView view = encoder.NextPicture();
            PaintRoadScene(view, i / 30.0);
            WriteBlockCode(view, BlockCode{kNumber, indexes_[static_cast<size_t>(i)]});
            for (AccessUnit& unit : encoder.Encode()) {
                units.push_back(std::move(unit));
            }
        }
        for (AccessUnit& unit : encoder.Flush()) {
            units.push_back(std::move(unit));
        }
        return Decode(units);
    }

    // Large and small indexes, so every bit of the index field is exercised.
    std::vector<int> indexes_{0, 1, 2, 29, 30, 31, 1000, 65535, 65536, kBlockCodeMaxIndex, 7, 8};
};

TEST_F(BlockCodeTest, ReadsBackEveryPictureFromLumaAndScaledRgb) {
    const std::vector<FramePtr> pictures = RoundTrip(static_cast<int>(indexes_.size()));
    ASSERT_EQ(pictures.size(), indexes_.size());
    const struct {
        int width, height;
    } sizes[] = {{kWidth, kHeight},
                 {kWidth / 2, kHeight / 2},
                 {kWidth * 3 / 2, kHeight * 3 / 2},
                 {640, 200}};
    for (size_t i = 0; i < pictures.size(); ++i) {
        const AVFrame& picture = *pictures[i];
        const BlockCode expected{kNumber, indexes_[i]};
        EXPECT_EQ(
            ReadBlockCodeLuma(picture.data[0], picture.width, picture.height, picture.linesize[0]),
            expected)
            << "picture " << i;
        for (const auto& size : sizes) {
            const std::vector<uint8_t> rgb = ToBgrx(picture, size.width, size.height);
            EXPECT_EQ(ReadBlockCodeRgb32(rgb.data(), size.width, size.height, size.width * 4),
                      expected)
                << "picture " << i << " at " << size.width << "x" << size.height;
        }
    }
}

TEST_F(BlockCodeTest, PictureWithoutOrWithDamagedCodeReadsAsNothing) {
    H264Encoder encoder(kWidth, kHeight, 30, 10, 23);
    const YuvView view = encoder.NextPicture();
    PaintRoadScene(view, 0);
    EXPECT_EQ(ReadBlockCodeLuma(view.y, view.width, view.height, view.y_stride), std::nullopt);

    WriteBlockCode(view, BlockCode{7, 12345});
    ASSERT_EQ(ReadBlockCodeLuma(view.y, view.width, view.height, view.y_stride),
              (BlockCode{7, 12345}));
    // Invert one cell of the index (row 1, column 4): the check bits no longer match.
    for (int y = 8; y < 16; ++y) {
        for (int x = 32; x < 40; ++x) {
            uint8_t& luma = view.y[y * view.y_stride + x];
            luma = static_cast<uint8_t>(251 - luma);
        }
    }
    EXPECT_EQ(ReadBlockCodeLuma(view.y, view.width, view.height, view.y_stride), std::nullopt);
    EXPECT_EQ(ReadBlockCodeLuma(view.y, 20, 10, view.y_stride), std::nullopt);
}

} // namespace
} // namespace korvex::mkcard
