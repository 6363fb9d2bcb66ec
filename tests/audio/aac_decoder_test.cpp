#include "audio/aac_decoder.h"
#include "mkcard/aac_tone.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace korvex {
namespace {

int Peak(std::span<const int16_t> samples) {
    int peak = 0;
    for (int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

TEST(AacDecoderTest, ToneFramesDecodeToMono16BitAtTheirLevel) {
    const auto frames = mkcard::EncodeAacTone(6, 0.25, 1000);
    AacDecoder decoder;
    ASSERT_TRUE(decoder.Open());
    int last_peak = 0;
    for (const auto& frame : frames) {
        const AacDecoder::Result result = decoder.Decode(frame);
        EXPECT_EQ(result.consumed, static_cast<int>(frame.size()));
        ASSERT_EQ(result.samples.size(), 1024u);
        last_peak = Peak(result.samples);
    }
    // After the encoder's start-up a frame carries the tone at its level: 0.25 of full scale
    // is a peak of 8192.
    EXPECT_NEAR(last_peak, 8192, 400);
}

TEST(AacDecoderTest, APacketOfSeveralFramesIsDecodedOneFrameACall) {
    const auto frames = mkcard::EncodeAacTone(3, 0.25, 1000);
    std::vector<uint8_t> packet;
    for (const auto& frame : frames) {
        packet.insert(packet.end(), frame.begin(), frame.end());
    }
    AacDecoder alone;
    AacDecoder together;
    ASSERT_TRUE(alone.Open());
    ASSERT_TRUE(together.Open());
    std::span<const uint8_t> rest = packet;
    for (const auto& frame : frames) {
        const AacDecoder::Result result = together.Decode(rest);
        ASSERT_EQ(result.consumed, static_cast<int>(frame.size()));
        const std::vector<int16_t> got(result.samples.begin(), result.samples.end());
        const AacDecoder::Result expected = alone.Decode(frame);
        EXPECT_EQ(got, std::vector<int16_t>(expected.samples.begin(), expected.samples.end()));
        rest = rest.subspan(static_cast<std::size_t>(result.consumed));
    }
    EXPECT_TRUE(rest.empty());
}

TEST(AacDecoderTest, RejectedPacketsLeaveTheDecoderWorking) {
    const auto frames = mkcard::EncodeAacTone(2, 0.25, 1000);
    AacDecoder decoder;
    ASSERT_TRUE(decoder.Open());
    const std::vector<uint8_t> garbage(300, 0x5A);
    for (const std::vector<uint8_t>& bad : {garbage, std::vector<uint8_t>{}}) {
        const AacDecoder::Result result = decoder.Decode(bad);
        EXPECT_EQ(result.consumed, 0);
        EXPECT_TRUE(result.samples.empty());
    }
    EXPECT_EQ(decoder.Decode(frames[0]).samples.size(), 1024u);
}

} // namespace
} // namespace korvex
