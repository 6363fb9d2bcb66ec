// Sound through a channel reaches PulseAudio at normal speed only.
#include "audio/pulse/pulse_sound_driver.h"
#include "channel_rig.h"
#include "playback/panel_commands.h"
#include "pulse_test_rig.h"
#include "tone_measure.h"

#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace korvex {
namespace {

using namespace std::chrono_literals;

TEST(ChannelSound, ReachesTheNullSinkDuringNormalPlayAndStopsAtTwiceTheSpeed) {
    test::TestSink sink("korvex_channel_sound_" + std::to_string(getpid()));
    ASSERT_TRUE(sink.IsLoaded()) << "no PulseAudio server (run scripts/test-services.sh)";
    test::ScopedEnvironment to_sink("PULSE_SINK", sink.name());
    pulse::PulseSoundDriver driver;
    test::ChannelRig rig(test::ChannelRig::Pace::kRealTime, &driver);
    rig.WriteCard(mkcard::TinyCard(1, 8, 10));
    test::MonitorRecorder recorder(sink.name());
    std::this_thread::sleep_for(200ms); // let the recorder connect

    ASSERT_TRUE(rig.OpenCard());
    std::this_thread::sleep_for(2s);
    RunSpeedSlider(rig.channel.get(), kSpeedSliderMiddle + 1);
    std::this_thread::sleep_for(2s);
    EXPECT_GT(rig.SeenCount(), 90u); // pictures went on at twice the speed
    rig.Destroy();
    const test::ToneMeasure tone = test::MeasureTone(recorder.Stop());
    // Some of the two seconds of normal play (the device starts late), never the four of the
    // whole run.
    EXPECT_GT(tone.samples, 48000u * 3 / 10);
    EXPECT_LT(tone.samples, 48000u * 28 / 10);
    EXPECT_NEAR(tone.hz, 1000, 20);
}

} // namespace
} // namespace korvex
