#include "engine/audio_packet_buffer.h"
#include "engine/video_packet_buffer.h"

#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <thread>
#include <vector>

namespace korvex {
namespace {

// ThreadSanitizer makes every access many times slower; a fifth of the packets still makes the
// two threads meet in every state of the ring many thousand times.
#if defined(__SANITIZE_THREAD__)
constexpr int kPackets = 200000;
#else
constexpr int kPackets = 1000000;
#endif
constexpr int kGroupLength = 8; // a key picture, then seven others

// Random packet contents: packet i is `size` bytes of the pool from `pool_offset`, both drawn
// by the producer and sent along in the record (size, time stamp), so the consumer can compare
// what arrived with what was written, byte for byte.
std::vector<std::uint8_t> MakePool(std::size_t size) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> pool(size);
    for (std::uint8_t& byte : pool) {
        byte = static_cast<std::uint8_t>(random());
    }
    return pool;
}

struct Outcome {
    int accepted = 0;
    int received = 0;
    int damaged = 0;
    int out_of_order = 0;
    int broken_chains = 0;
};

// One producer puts kPackets packets of random sizes (mostly small, now and then up to the
// maximum) while one consumer polls them out and checks each against the pool.
template <typename Buffer> Outcome RunPair(int area, int max_packet, bool video) {
    Buffer buffer;
    if constexpr (std::is_same_v<Buffer, CVBuffer2>) {
        buffer.SetChainState(0);
    }
    EXPECT_TRUE(buffer.Open(area, max_packet, BufferMode::kBlocking));
    const std::vector<std::uint8_t> pool = MakePool(2 * static_cast<std::size_t>(max_packet));
    std::atomic<bool> done = false;
    Outcome outcome;

    std::thread producer([&] {
        std::mt19937 random(11);
        std::uniform_int_distribution<int> small(1, 256);
        std::uniform_int_distribution<int> any(1, max_packet);
        std::uniform_int_distribution<int> offset(0, max_packet);
        PacketRecord record;
        buffer.Rewind(&record);
        for (int i = 0; i < kPackets; ++i) {
            const int size = random() % 8 == 0 ? any(random) : small(random);
            const int from = offset(random);
            std::memcpy(record.data, pool.data() + from, static_cast<std::size_t>(size));
            std::uint8_t* at = record.data;
            record.size = size;
            record.type = !video                  ? kAudioFrame
                          : i % kGroupLength == 0 ? kKeyPicture
                                                  : kOtherPicture;
            record.position = i;
            record.time_stamp = from;
            buffer.Put(record);
            outcome.accepted += record.data != at;
        }
        done = true;
    });

    int last = -1;
    for (;;) {
        const bool finished = done.load();
        PacketRecord got;
        if (!buffer.Get(got)) {
            if (finished) {
                break;
            }
            std::this_thread::yield();
            continue;
        }
        ++outcome.received;
        const auto from = static_cast<std::size_t>(got.time_stamp);
        outcome.damaged +=
            std::memcmp(got.data, pool.data() + from, static_cast<std::size_t>(got.size)) != 0;
        outcome.out_of_order += got.position <= last;
        // A non-key picture must follow the picture just before it: nothing of its chain lost.
        outcome.broken_chains += got.type == kOtherPicture && got.position != last + 1;
        last = got.position;
    }
    producer.join();
    return outcome;
}

void ExpectIntact(const Outcome& outcome) {
    EXPECT_GT(outcome.accepted, kPackets / 2);
    EXPECT_EQ(outcome.received, outcome.accepted);
    EXPECT_EQ(outcome.damaged, 0);
    EXPECT_EQ(outcome.out_of_order, 0);
    EXPECT_EQ(outcome.broken_chains, 0);
}

// Areas a few times the maximum packet, as in the channel, but small, so the ring wraps often.
TEST(PacketBufferStressTest, EveryAcceptedVideoPacketArrivesIntactAndInOrder) {
    ExpectIntact(RunPair<CVBuffer2>(16384, 4096, true));
}

TEST(PacketBufferStressTest, EveryAcceptedAudioPacketArrivesIntactAndInOrder) {
    ExpectIntact(RunPair<CABuffer2>(8192, 1024, false));
}

} // namespace
} // namespace korvex
