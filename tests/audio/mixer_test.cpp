#include "audio/amplification.h"
#include "audio/mixer.h"
#include "audio/volume_slider.h"
#include "memory_volume.h"

#include <gtest/gtest.h>
#include <vector>

namespace korvex {
namespace {

TEST(VolumeSliderTest, PositionsAndVolumesMapBothWays) {
    struct Case {
        unsigned volume;
        int position;
    };
    for (const Case& c : {Case{0, 27}, Case{65535, 0}, Case{30000, 15}, Case{2426, 26},
                          Case{2427, 26}, Case{70000, 0}}) {
        EXPECT_EQ(SliderPositionForVolume(c.volume), c.position) << c.volume;
    }
    for (const Case& c :
         {Case{33978, 13}, Case{65529, 0}, Case{0, 27}, Case{65529, -1}, Case{0, 28}}) {
        EXPECT_EQ(VolumeAtSliderPosition(c.position), c.volume) << c.position;
    }
}

TEST(MixerTest, ReadsAndWritesThroughTheControlWhenReady) {
    MemoryVolume control;
    control.volume = 30000;
    CMixer mixer(control);
    ASSERT_TRUE(mixer.IsReady());
    EXPECT_EQ(mixer.GetVolume(), 30000u);
    mixer.SetVolume(VolumeAtSliderPosition(13));
    EXPECT_EQ(control.volume, 33978u);
    mixer.SetVolume(100000);
    EXPECT_EQ(control.volume, 65535u);
}

TEST(MixerTest, WithoutAnOutputReadsZeroAndIgnoresWrites) {
    MemoryVolume control;
    control.present = false;
    control.volume = 30000;
    CMixer mixer(control);
    EXPECT_FALSE(mixer.IsReady());
    EXPECT_EQ(mixer.GetVolume(), 0u);
    EXPECT_EQ(SliderPositionForVolume(mixer.GetVolume()), 27);
    control.present = true; // found later: the mixer stays as constructed
    mixer.SetVolume(1000);
    EXPECT_EQ(control.volume, 30000u);
}

TEST(AmplificationTest, MultipliesAndClipsWithTheFactorKeptIn1To10) {
    struct Case {
        int factor;
        std::vector<int16_t> in, out;
    };
    const std::vector<Case> cases = {
        {1, {4000, -4000, 32767, -32768}, {4000, -4000, 32767, -32768}},
        {10, {4000, -4000, 100, -3277, 0}, {32767, -32768, 1000, -32768, 0}},
        {3, {10000, -11000}, {30000, -32768}},
        {0, {4000}, {4000}},                   // a damaged setting below the range: 100 %
        {1000000, {4000, 100}, {32767, 1000}}, // above: 1000 %, and no overflow
    };
    for (const Case& c : cases) {
        std::vector<int16_t> samples = c.in;
        Amplify(samples, c.factor);
        EXPECT_EQ(samples, c.out) << "factor " << c.factor;
    }
}

} // namespace
} // namespace korvex
