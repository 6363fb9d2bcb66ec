// The recordings' sound reaches the device whole at normal speed, however many AAC frames the
// camera packs into one audio PES.
#include "audio/aac_decoder.h"
#include "audio/sound_format.h"
#include "channel_rig.h"
#include "mkcard/aac_tone.h"
#include "simulated_sound_driver.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using Samples = std::vector<int16_t>;

constexpr int kSeconds = 1;
constexpr int kRecordings = 2;
constexpr int kLoud = 1000;

// The tone of the first recording and the first half of the second one's, decoded frame after
// frame by one decoder of the test's own, as the audio worker plays on from one recording into
// the next. (The end of the card is not looked at: the last PES of a last recording waits for
// a unit start that never comes.)
Samples RecordedTone(const mkcard::CardOptions& options) {
    const int frames =
        (kSeconds * mkcard::kAudioRate + mkcard::kAacFrameSamples - 1) / mkcard::kAacFrameSamples;
    const auto recording = mkcard::EncodeAacTone(frames, options.tone_level, options.tone_hz);
    AacDecoder decoder;
    EXPECT_TRUE(decoder.Open());
    Samples tone;
    for (int r = 0; r < kRecordings; ++r) {
        const int played = r + 1 < kRecordings ? frames : frames / 2;
        for (int i = 0; i < played; ++i) {
            const AacDecoder::Result result =
                decoder.Decode(recording[static_cast<std::size_t>(i)]);
            tone.insert(tone.end(), result.samples.begin(), result.samples.end());
        }
    }
    return tone;
}

Samples ToSamples(const std::vector<uint8_t>& bytes) {
    Samples out(bytes.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return out;
}

std::size_t FirstLoud(const Samples& samples) {
    std::size_t i = 0;
    while (i < samples.size() && std::abs(samples[i]) <= kLoud) {
        ++i;
    }
    return i;
}

class ChannelTone : public testing::TestWithParam<int> {};

TEST_P(ChannelTone, EverySampleReachesTheDeviceInOrder) {
    SimulatedSoundDriver device(SystemClock());
    test::ChannelRig rig(test::ChannelRig::Pace::kRealTime, &device);
    mkcard::CardOptions options = mkcard::TinyCard(kRecordings, kSeconds, 10);
    options.audio_frames_per_pes = GetParam();
    rig.WriteCard(options);
    const Samples tone = RecordedTone(options);
    ASSERT_LT(FirstLoud(tone), tone.size());

    ASSERT_TRUE(rig.OpenCard());
    // The recordings, the device's start and what was queued ahead of it play out well within
    // a second more.
    const std::size_t enough =
        static_cast<std::size_t>(kRecordings * kSeconds + 1) * kSoundBytesPerSecond;
    ASSERT_TRUE(rig.AwaitUntil([&] { return device.Played().size() >= enough; }));
    rig.Destroy();

    const Samples played = ToSamples(device.Played());
    // Silence until the tone starts; from there on, sample for sample what was recorded.
    const std::size_t start = FirstLoud(played) - FirstLoud(tone);
    ASSERT_LE(FirstLoud(tone), FirstLoud(played));
    ASSERT_LE(start + tone.size(), played.size());
    EXPECT_EQ(Samples(played.begin(), played.begin() + static_cast<std::ptrdiff_t>(start)),
              Samples(start, 0));
    const Samples heard(played.begin() + static_cast<std::ptrdiff_t>(start),
                        played.begin() + static_cast<std::ptrdiff_t>(start + tone.size()));
    std::size_t first_difference = 0;
    while (first_difference < tone.size() && heard[first_difference] == tone[first_difference]) {
        ++first_difference;
    }
    EXPECT_EQ(first_difference, tone.size()) << "of " << tone.size() << " samples";
}

INSTANTIATE_TEST_SUITE_P(FramesPerPes, ChannelTone, testing::Values(1, 2, 4, 8));

} // namespace
} // namespace korvex
