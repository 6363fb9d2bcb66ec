#include "audio/mixer.h"
#include "audio/pulse/pulse_volume.h"
#include "audio/volume_slider.h"
#include "pulse_test_rig.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace korvex {
namespace {

using test::Pactl;

// The raw volume of every channel of the default sink, as pactl reports it.
std::vector<unsigned> DefaultSinkChannels() {
    const std::string text = Pactl("get-sink-volume @DEFAULT_SINK@");
    // "Volume: front-left: 32768 /  50% / -18.06 dB,   front-right: 32768 / ..."
    std::vector<unsigned> channels;
    std::istringstream words(text);
    std::string word, previous;
    while (words >> word) {
        if (word == "/" && !previous.empty() &&
            previous.find_first_not_of("0123456789") == std::string::npos) {
            channels.push_back(static_cast<unsigned>(std::stoul(previous)));
        }
        previous = word;
    }
    return channels;
}

// Puts the shared default sink's volume back as it was.
class PulseVolumeTest : public testing::Test {
protected:
    void SetUp() override {
        saved_ = DefaultSinkChannels();
        ASSERT_FALSE(saved_.empty())
            << "no PulseAudio server with a default sink (run scripts/test-services.sh)";
    }
    void TearDown() override {
        std::string values;
        for (unsigned v : saved_) {
            values += " " + std::to_string(v);
        }
        Pactl("set-sink-volume @DEFAULT_SINK@" + values);
    }
    std::vector<unsigned> saved_;
};

TEST_F(PulseVolumeTest, SetsEveryChannelOfTheDefaultSink) {
    struct Case {
        unsigned volume;
        unsigned pulse; // 65535 stands for the server's 100 % (65536)
    };
    for (const Case& c : {Case{65535, 65536}, Case{0, 0}, Case{30000, 30000}, Case{33978, 33979}}) {
        pulse::PulseVolume control;
        CMixer mixer(control);
        ASSERT_TRUE(mixer.IsReady());
        mixer.SetVolume(c.volume);
        const std::vector<unsigned> channels = DefaultSinkChannels();
        ASSERT_FALSE(channels.empty());
        for (unsigned channel : channels) {
            EXPECT_EQ(channel, c.pulse) << c.volume;
        }
    }
}

TEST_F(PulseVolumeTest, ReadsTheLoudestChannelWithinFullScale) {
    struct Case {
        std::string pactl;
        unsigned volume;
    };
    for (const Case& c : {Case{"65536", 65535}, Case{"0", 0}, Case{"30000", 30000},
                          Case{"20000 40000", 39999}, Case{"150%", 65535}}) {
        Pactl("set-sink-volume @DEFAULT_SINK@ " + c.pactl);
        pulse::PulseVolume control;
        CMixer mixer(control);
        ASSERT_TRUE(mixer.IsReady());
        EXPECT_EQ(mixer.GetVolume(), c.volume) << c.pactl;
    }
    Pactl("set-sink-volume @DEFAULT_SINK@ 30000");
    pulse::PulseVolume control;
    EXPECT_EQ(SliderPositionForVolume(CMixer(control).GetVolume()), 15);
}

TEST(PulseVolumeWithoutServerTest, IsNotReadyAndReadsZero) {
    test::TempDir dir;
    test::ScopedEnvironment server("PULSE_SERVER", "unix:" + (dir / "none").string());
    pulse::PulseVolume control;
    CMixer mixer(control);
    EXPECT_FALSE(mixer.IsReady());
    EXPECT_EQ(mixer.GetVolume(), 0u);
    mixer.SetVolume(1000); // ignored, and nothing waits
}

} // namespace
} // namespace korvex
