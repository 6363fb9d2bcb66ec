#include "audio/audio_ctx.h"
#include "audio/pulse/pulse_sound_driver.h"
#include "engine/audio_packet_buffer.h"
#include "engine/play_state.h"
#include "mkcard/aac_tone.h"
#include "packet_feeder.h"
#include "pulse_test_rig.h"
#include "tone_measure.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace korvex {
namespace {

using namespace std::chrono_literals;

// Waits in real time until `done` holds, at most `limit`.
template <typename Done> bool AwaitReal(Done done, std::chrono::milliseconds limit) {
    const auto give_up = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > give_up) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class PulsePlaybackTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(buffer_.Open(131072, 16384, BufferMode::kBlocking)); }

    CABuffer2 buffer_;
    PlayState play_state_;
    std::atomic<int> amplification_{1};
    pulse::PulseSoundDriver driver_;
};

TEST_F(PulsePlaybackTest, ARecordingsToneReachesTheSinkAtItsLevel) {
    test::TestSink sink("korvex_audio_play_" + std::to_string(getpid()));
    ASSERT_TRUE(sink.IsLoaded()) << "no PulseAudio server (run scripts/test-services.sh)";
    test::ScopedEnvironment to_sink("PULSE_SINK", sink.name());
    test::MonitorRecorder recorder(sink.name());
    std::this_thread::sleep_for(200ms); // let the recorder connect

    const auto frames = mkcard::EncodeAacTone(94, 0.25, 1000); // two seconds
    {
        test::PacketFeeder feeder(buffer_, frames);
        CAudioCtx worker(buffer_, play_state_, amplification_, driver_);
        ASSERT_TRUE(worker.Start());
        ASSERT_TRUE(AwaitReal([&] { return feeder.IsDone() && buffer_.Count() == 0; }, 10s));
        std::this_thread::sleep_for(500ms); // what is queued plays out
        worker.Stop(CMyThread::kStopTimeoutMs);
    }
    const std::vector<int16_t> played = recorder.Stop();
    const test::ToneMeasure tone = test::MeasureTone(played);
    EXPECT_GT(tone.samples, 90000u); // about two seconds of it
    EXPECT_LT(tone.samples, 110000u);
    EXPECT_NEAR(tone.rms, 8192 / std::sqrt(2.0), 300); // a quarter of full scale, as generated
    EXPECT_NEAR(tone.hz, 1000, 10);
}

TEST_F(PulsePlaybackTest, AServerKilledWhilePlayingLeavesTheWorkerRunningSilentlyAndStoppable) {
    test::PrivatePulseServer server;
    ASSERT_TRUE(server.IsReady()) << "could not start a PulseAudio server of the test's own";
    test::ScopedEnvironment to_server("PULSE_SERVER", server.Address());

    test::PacketFeeder feeder(buffer_, mkcard::EncodeAacTone(47, 0.25, 1000), /*repeat=*/true);
    CAudioCtx worker(buffer_, play_state_, amplification_, driver_);
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(AwaitReal([&] { return feeder.Put() > 60; }, 10s));
    int status = 0;
    EXPECT_NE(test::Pactl("list short sink-inputs", server.Address(), &status),
              ""); // our stream plays
    EXPECT_EQ(status, 0);

    server.Kill();
    // Without its server the worker goes on as without a device: packets keep being taken.
    const int put_at_kill = feeder.Put();
    EXPECT_TRUE(AwaitReal([&] { return feeder.Put() > put_at_kill + 100; }, 10s));
    EXPECT_TRUE(worker.IsRunning());

    const auto before_stop = std::chrono::steady_clock::now();
    worker.Stop(CMyThread::kStopTimeoutMs);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_LT(std::chrono::steady_clock::now() - before_stop, 2s);
}

} // namespace
} // namespace korvex
