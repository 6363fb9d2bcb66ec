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

TEST(AacDecoderTest, TwoFramesInOnePacketYieldBoth) {
    const auto frames = mkcard::EncodeAacTone(2, 0.25, 1000);
    std::vector<uint8_t> packet = frames[0];
    packet.insert(packet.end(), frames[1].begin(), frames[1].end());
    AacDecoder decoder;
    ASSERT_TRUE(decoder.Open());
    const AacDecoder::Result result = decoder.Decode(packet);
    EXPECT_EQ(result.consumed, static_cast<int>(packet.size()));
    EXPECT_EQ(result.samples.size(), 2048u);
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
