#include "audio/aac_decoder.h"
#include "audio/audio_ctx.h"
#include "audio/null_sound_driver.h"
#include "audio/sound_format.h"
#include "audio/sound_loop.h"
#include "engine/audio_packet_buffer.h"
#include "engine/manual_clock.h"
#include "engine/play_state.h"
#include "mkcard/aac_tone.h"
#include "packet_feeder.h"
#include "simulated_sound_driver.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace korvex {
namespace {

using Packets = std::vector<std::vector<uint8_t>>;
using Samples = std::vector<int16_t>;

constexpr int kBlockSamples = kSoundBlockBytes / 2;
constexpr int kFrameSamples = 1024;

// The audio of a generated recording: frames of the generator's 1 kHz tone at a quarter of full
// scale, one ADTS frame a packet.
Packets ToneFrames(int count) {
    return mkcard::EncodeAacTone(count, 0.25, 1000);
}

// What a decoder of its own makes of `packets`, in order, one sample list per packet (all the
// frames of a packet).
std::vector<Samples> Decoded(const Packets& packets) {
    AacDecoder decoder;
    EXPECT_TRUE(decoder.Open());
    std::vector<Samples> out;
    for (const auto& packet : packets) {
        out.emplace_back();
        for (std::span<const uint8_t> rest = packet; !rest.empty();) {
            const auto result = decoder.Decode(rest);
            if (result.consumed <= 0) {
                break;
            }
            out.back().insert(out.back().end(), result.samples.begin(), result.samples.end());
            rest = rest.subspan(static_cast<std::size_t>(result.consumed));
        }
    }
    return out;
}

Samples Concat(std::initializer_list<std::span<const int16_t>> parts) {
    Samples out;
    for (auto part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// Little-endian 16-bit samples.
Samples ToSamples(std::span<const uint8_t> bytes) {
    Samples out(bytes.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return out;
}

// A device the test plays by hand, as far and as fast as it likes.
class HandPlayedDriver final : public SoundDriver {
public:
    bool Open(SoundLoop& loop) override {
        loop_ = &loop;
        return true;
    }
    bool Start() override {
        started_ = true;
        return true;
    }
    void Close() override {
        loop_ = nullptr;
        started_ = false;
    }
    bool IsLost() const override { return false; }

    // Takes `bytes` at the play cursor, then waits until the worker has handled the
    // notifications that raised. Waits first for the worker to start playing.
    std::vector<uint8_t> Play(int bytes) {
        while (!started_) {
            std::this_thread::yield();
        }
        std::vector<uint8_t> out(static_cast<std::size_t>(bytes));
        loop_.load()->Take(out);
        loop_.load()->AwaitAcknowledged();
        return out;
    }

private:
    std::atomic<SoundLoop*> loop_{nullptr};
    std::atomic<bool> started_{false};
};

Samples Silence(int samples) {
    return Samples(static_cast<std::size_t>(samples), 0);
}

// The audio worker on the simulated device and a stepped test clock, fed by a producer thread.
// Every step lets the clock pass one block middle once the worker, the device and the producer
// have all settled, so the blocks come out the same however the threads are scheduled.
class AudioWorkerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(packets_.Open(131072, 16384, BufferMode::kBlocking)); }
    void TearDown() override {
        worker_.reset();
        feeder_.reset();
    }

    void StartWith(const Packets& packets, SoundDriver& driver) {
        feeder_ = std::make_unique<test::PacketFeeder>(packets_, packets);
        feeder_->AwaitIdle();
        worker_ =
            std::make_unique<CAudioCtx>(packets_, play_state_, amplification_, driver, clock_);
        ASSERT_TRUE(worker_->Start());
    }

    // Plays `blocks` further blocks: blocks 0 and 1 are written at the start, then one at each
    // block middle the device's cursor passes. A step waits for the device to have played up to
    // that middle: the clock goes on counting a released waiter until its thread has run.
    void PlayBlocks(int blocks) {
        for (int i = 0; i < blocks; ++i) {
            feeder_->AwaitIdle();
            clock_.AwaitWaiters(2); // the worker and the device
            const int step_ms = played_ms_ == 0 ? 32 : 64;
            clock_.Advance(step_ms);
            played_ms_ += step_ms;
            const std::size_t due =
                static_cast<std::size_t>(played_ms_) * kSoundBytesPerSecond / 1000;
            while (device_.Played().size() < due) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        feeder_->AwaitIdle();
        clock_.AwaitWaiters(2);
    }

    // Without a device the worker pauses 10 ms between drains: moves the clock on until the
    // feeder has put every packet and the worker has taken them all.
    void AwaitBufferEmptied() {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!(feeder_->IsDone() && packets_.Count() == 0) &&
               std::chrono::steady_clock::now() < give_up) {
            clock_.AwaitWaiters(1); // the worker's pause
            clock_.Advance(10);
            std::this_thread::yield();
        }
    }

    // Block `index` of what the device played.
    Samples PlayedBlock(int index) const {
        const std::vector<uint8_t> bytes = device_.Played();
        const std::size_t from =
            std::min(bytes.size(), static_cast<std::size_t>(index * kSoundBlockBytes));
        const std::size_t to = std::min(bytes.size(), from + kSoundBlockBytes);
        return ToSamples(std::span(bytes).subspan(from, to - from));
    }

    ManualClock clock_;
    CABuffer2 packets_;
    PlayState play_state_{clock_};
    std::atomic<int> amplification_{1};
    SimulatedSoundDriver device_{clock_};
    NullSoundDriver no_device_;
    HandPlayedDriver hand_; // the drivers outlive the worker
    std::unique_ptr<test::PacketFeeder> feeder_;
    std::unique_ptr<CAudioCtx> worker_;
    int played_ms_ = 0;
};

const Samples kSilentBlock(kBlockSamples, 0);

TEST_F(AudioWorkerTest, ThreeFramesFillOneBlockAndFactor1LeavesThemAsDecoded) {
    const Packets frames = ToneFrames(9);
    const std::vector<Samples> decoded = Decoded(frames);
    ASSERT_EQ(decoded[0].size(), static_cast<std::size_t>(kFrameSamples)); // 2048 bytes a frame
    StartWith(frames, device_);
    PlayBlocks(4); // the cursor passes the middle of block 3
    for (int b = 0; b < 3; ++b) {
        EXPECT_EQ(PlayedBlock(b), Concat({decoded[3 * b], decoded[3 * b + 1], decoded[3 * b + 2]}))
            << b;
    }
    EXPECT_EQ(PlayedBlock(3),
              Silence(kBlockSamples / 2)); // nothing left: the loop plays on silently
}

TEST_F(AudioWorkerTest, APacketMeetingABlockEndGoesOnInTheNextBlock) {
    const Packets frames = ToneFrames(7);
    // Packets of one, one, two, one and two frames: the first two-frame packet meets a block
    // end, the second the end of the queued sound.
    Packets packets = {frames[0], frames[1], frames[2], frames[4], frames[5]};
    packets[2].insert(packets[2].end(), frames[3].begin(), frames[3].end());
    packets[4].insert(packets[4].end(), frames[6].begin(), frames[6].end());
    const std::vector<Samples> decoded = Decoded(packets);
    ASSERT_EQ(decoded[2].size(), static_cast<std::size_t>(2 * kFrameSamples));
    StartWith(packets, device_);
    PlayBlocks(4);
    const std::span<const int16_t> two_frames = decoded[2];
    EXPECT_EQ(PlayedBlock(0), Concat({decoded[0], decoded[1], two_frames.first(kFrameSamples)}));
    EXPECT_EQ(PlayedBlock(1), Concat({two_frames.last(kFrameSamples), decoded[3],
                                      std::span<const int16_t>(decoded[4]).first(kFrameSamples)}));
    EXPECT_EQ(PlayedBlock(2), Concat({std::span<const int16_t>(decoded[4]).last(kFrameSamples),
                                      Silence(2 * kFrameSamples)}));
}

TEST_F(AudioWorkerTest, Factor10ClipsAndAChangeAppliesToTheNextFrame) {
    const Packets frames = ToneFrames(12);
    const std::vector<Samples> decoded = Decoded(frames);
    amplification_ = 10;
    StartWith(frames, device_);
    PlayBlocks(1); // blocks 0 to 2 written at 1000 %
    amplification_ = 1;
    PlayBlocks(4);
    for (int b = 0; b < 3; ++b) {
        Samples louder = Concat({decoded[3 * b], decoded[3 * b + 1], decoded[3 * b + 2]});
        for (int16_t& sample : louder) {
            sample = static_cast<int16_t>(std::clamp(sample * 10, -32768, 32767));
        }
        EXPECT_EQ(PlayedBlock(b), louder) << b;
        if (b == 2) { // the tone at a quarter of full scale, ten times: clipped both ways
            EXPECT_EQ(*std::max_element(louder.begin(), louder.end()), 32767);
            EXPECT_EQ(*std::min_element(louder.begin(), louder.end()), -32768);
        }
    }
    EXPECT_EQ(PlayedBlock(3), Concat({decoded[9], decoded[10], decoded[11]}));
}

TEST_F(AudioWorkerTest, HoldPlaysSilenceAndTakesNoPacketsUntilReleased) {
    const Packets frames = ToneFrames(12);
    const std::vector<Samples> decoded = Decoded(frames);
    StartWith(frames, device_);
    PlayBlocks(1);
    worker_->SetHold(true); // blocks 3 to 5
    const int queued = packets_.Count();
    PlayBlocks(3);
    EXPECT_EQ(packets_.Count(), queued);
    worker_->SetHold(false);
    PlayBlocks(4);
    EXPECT_EQ(PlayedBlock(2), Concat({decoded[6], decoded[7], decoded[8]}));
    for (int b = 3; b < 6; ++b) {
        EXPECT_EQ(PlayedBlock(b), kSilentBlock) << b;
    }
    EXPECT_EQ(PlayedBlock(6), Concat({decoded[9], decoded[10], decoded[11]})); // nothing skipped
}

TEST_F(AudioWorkerTest, ClearedNormalSpeedPlaysSilenceWhilePacketsAreTakenAndDropped) {
    const Packets frames = ToneFrames(15);
    StartWith(frames, device_);
    PlayBlocks(1);
    ASSERT_TRUE(feeder_->IsDone());
    play_state_.SetNormalSpeed(false); // blocks 3 to 5: one packet taken and dropped each
    const int queued = packets_.Count();
    PlayBlocks(3);
    EXPECT_EQ(packets_.Count(), queued - 3);
    play_state_.SetNormalSpeed(true);
    PlayBlocks(4);
    for (int b = 3; b < 6; ++b) {
        EXPECT_EQ(PlayedBlock(b), kSilentBlock) << b;
    }
    // Frames 9 to 11 are gone; 12 to 14 follow, as a decoder that never saw the dropped ones
    // makes them.
    const std::vector<Samples> kept =
        Decoded({frames[0], frames[1], frames[2], frames[3], frames[4], frames[5], frames[6],
                 frames[7], frames[8], frames[12], frames[13], frames[14]});
    EXPECT_EQ(PlayedBlock(6), Concat({kept[9], kept[10], kept[11]}));
}

TEST_F(AudioWorkerTest, AWorkerOvertakenByTheDeviceWritesAheadOfTheCursorAgain) {
    const Packets frames = ToneFrames(15);
    const std::vector<Samples> decoded = Decoded(frames);
    StartWith(frames, hand_);
    hand_.Play(kSoundNotifyOffset); // the middle of block 0: block 2 is written
    // The device runs on by ten blocks while the worker sees one notification: the cursor now
    // lies in the middle of block 10, far past block 3, where the worker would write next.
    hand_.Play(10 * kSoundBlockBytes);
    const Samples after = ToSamples(hand_.Play(kSoundNotifyOffset + kSoundBlockBytes));
    const auto block_11 = after.begin() + kBlockSamples / 2;
    EXPECT_EQ(Samples(after.begin(), block_11), Silence(kBlockSamples / 2)); // never written
    // Block 11, the first boundary after the cursor, carries the frames that follow block 2.
    EXPECT_EQ(Samples(block_11, after.end()), Concat({decoded[9], decoded[10], decoded[11]}));
}

TEST_F(AudioWorkerTest, WithoutADeviceThePacketBufferIsStillEmptied) {
    StartWith(ToneFrames(40), no_device_);
    AwaitBufferEmptied();
    EXPECT_EQ(feeder_->Put(), 40);
    EXPECT_EQ(packets_.Count(), 0);
}

// Unpaced runs feed audio far faster than it plays: without a device every queued packet goes
// before the worker's first pause, so the reader never waits for room behind it.
TEST_F(AudioWorkerTest, WithoutADeviceOnePauseTakesEveryQueuedPacket) {
    StartWith(ToneFrames(12), no_device_);
    clock_.AwaitWaiters(1); // the worker's first pause; the clock has not moved
    EXPECT_EQ(feeder_->Put(), 12);
    EXPECT_EQ(packets_.Count(), 0);
}

TEST_F(AudioWorkerTest, ADeviceThatGoesAwayLeavesTheWorkerDiscardingAndStoppable) {
    StartWith(ToneFrames(40), device_);
    PlayBlocks(2);
    device_.Lose(); // the worker notices at the latest when its notification wait times out
    AwaitBufferEmptied();
    EXPECT_EQ(feeder_->Put(), 40);
    EXPECT_EQ(packets_.Count(), 0);
    worker_->Stop(CMyThread::kStopTimeoutMs);
    EXPECT_FALSE(worker_->IsRunning());
}

} // namespace
} // namespace korvex
