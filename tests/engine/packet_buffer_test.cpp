#include "engine/audio_packet_buffer.h"
#include "engine/packet_buffer.h"
#include "engine/video_packet_buffer.h"

#include <chrono>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace korvex {
namespace {

constexpr int kArea = 100;
constexpr int kMax = 20;

// A producer and a consumer driving one buffer from the test's thread. Packets are `size` bytes
// of their tag; the tag also goes into the position field.
class Driver {
public:
    explicit Driver(CBuffer& buffer) : buffer_(buffer) {
        buffer_.Rewind(&record_);
        start_ = record_.data;
    }

    // Whether the packet was accepted (its write position moved on).
    bool Put(int size, int tag, int type = kAudioFrame) {
        std::uint8_t* at = record_.data;
        std::memset(at, tag, static_cast<std::size_t>(size));
        record_.size = size;
        record_.type = type;
        record_.position = tag;
        buffer_.Put(record_);
        EXPECT_EQ(record_.size, 0);
        return record_.data != at;
    }

    // Whether a packet came; when one did, checks it is `tag` and intact.
    bool Get(int tag) {
        PacketRecord got;
        if (!buffer_.Get(got)) {
            return false;
        }
        EXPECT_EQ(got.position, tag);
        for (int i = 0; i < got.size; ++i) {
            EXPECT_EQ(got.data[i], tag) << "byte " << i << " of packet " << tag;
        }
        return true;
    }

    long WriteOffset() const { return record_.data - start_; }
    PacketRecord& record() { return record_; }

private:
    CBuffer& buffer_;
    PacketRecord record_;
    std::uint8_t* start_ = nullptr;
};

// One step of a buffer's life: a Put of `size` bytes (a Get when size is 0) of packet `tag`,
// whether it was accepted (or a packet came), and the write offset afterwards.
struct Step {
    const char* what;
    int size;
    int tag;
    bool ok;
    long offset;
};

void RunSteps(const std::vector<Step>& steps) {
    CBuffer buffer(30);
    ASSERT_TRUE(buffer.Open(kArea, kMax, BufferMode::kBlocking));
    Driver driver(buffer);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.size > 0) {
            EXPECT_EQ(driver.Put(step.size, step.tag), step.ok);
        } else {
            EXPECT_EQ(driver.Get(step.tag), step.ok);
        }
        EXPECT_EQ(driver.WriteOffset(), step.offset);
    }
}

TEST(PacketBufferTest, RoomRuleWithTheHeldPacketBeforeAndBehindTheWritePosition) {
    RunSteps({
        {"first packet, empty list", 20, 1, true, 20},
        {"get 1: held at 0-20", 0, 1, true, 20},
        {"room up to the end", 20, 2, true, 40},
        {"room up to the end", 20, 3, true, 60},
        {"exactly M bytes stay before the end", 20, 4, true, 80},
        {"end too close, and fewer than M bytes before the held packet", 15, 5, false, 80},
        {"get 2: held at 20-40", 0, 2, true, 80},
        {"same position reused; wraps: M bytes free before the held packet", 15, 5, true, 0},
        {"get 3: held at 40-60", 0, 3, true, 0},
        {"wrapped: room before the held packet", 10, 6, true, 10},
        {"wrapped: M bytes would not stay free before the held packet", 15, 7, false, 10},
        {"get 4: held at 60-80", 0, 4, true, 10},
        {"same position reused: now room before the held packet", 15, 7, true, 25},
        {"get 5", 0, 5, true, 25},
        {"get 6", 0, 6, true, 25},
        {"get 7", 0, 7, true, 25},
        {"nothing left: the list empties", 0, 8, false, 25},
    });
}

TEST(PacketBufferTest, RoomRuleOnAnEmptyListWrapsWhenTheEndIsTooClose) {
    RunSteps({
        {"first packet", 20, 1, true, 20},
        {"get 1", 0, 1, true, 20},
        {"second", 20, 2, true, 40},
        {"get 2", 0, 2, true, 40},
        {"third", 20, 3, true, 60},
        {"get 3", 0, 3, true, 60},
        {"empty", 0, 4, false, 60},
        {"empty list, M bytes stay before the end", 20, 4, true, 80},
        {"get 4", 0, 4, true, 80},
        {"empty again", 0, 5, false, 80},
        {"empty list, fewer than M bytes stay: wraps", 5, 5, true, 0},
        {"get 5", 0, 5, true, 0},
    });
}

TEST(PacketBufferTest, TheFirstPacketIsEnteredTwiceAndTheCopyIsNeverHandedOut) {
    CBuffer buffer(30);
    ASSERT_TRUE(buffer.Open(kArea, kMax, BufferMode::kBlocking));
    Driver driver(buffer);
    ASSERT_TRUE(driver.Put(10, 7));
    EXPECT_EQ(buffer.Count(), 2);
    EXPECT_EQ(buffer.FirstDataPosition(), 7);
    ASSERT_TRUE(driver.Put(10, 8));
    EXPECT_TRUE(driver.Get(7));
    EXPECT_EQ(buffer.Count(), 2);
    EXPECT_EQ(buffer.FirstDataPosition(), 7); // the held packet
    EXPECT_TRUE(driver.Get(8));
    EXPECT_FALSE(driver.Get(0));
    EXPECT_EQ(buffer.Count(), 0);
    EXPECT_EQ(buffer.FirstDataPosition(), 0);
}

TEST(PacketBufferTest, RewindKeepsTheHeldPacketAndGivesTheRoomAfterIt) {
    CBuffer buffer(30);
    ASSERT_TRUE(buffer.Open(kArea, kMax, BufferMode::kBlocking));
    Driver driver(buffer);
    driver.Put(20, 1);
    driver.Get(1);
    driver.Put(20, 2);
    driver.Put(10, 3);
    driver.record().type = kKeyPicture;
    driver.record().frame_rate = 30;
    buffer.Rewind(&driver.record());
    EXPECT_EQ(driver.WriteOffset(), 20); // right after the held packet 1
    EXPECT_EQ(driver.record().type, kNoPacket);
    EXPECT_EQ(driver.record().frame_rate, 0);
    EXPECT_EQ(buffer.Count(), 1);
    EXPECT_FALSE(driver.Get(0)); // 2 and 3 are gone

    for (int tag = 4; tag <= 6; ++tag) {
        driver.Put(20, tag); // 20-80
    }
    driver.Put(15, 7); // 80-95
    for (int tag = 4; tag <= 7; ++tag) {
        driver.Get(tag); // held at 80-95: fewer than M bytes after it
    }
    buffer.Rewind(&driver.record());
    EXPECT_EQ(driver.WriteOffset(), 0);
}

TEST(PacketBufferTest, ClearKeepsTheHeldPacketSafeFromTheProducer) {
    CBuffer buffer(30);
    ASSERT_TRUE(buffer.Open(kArea, kMax, BufferMode::kBlocking));
    Driver driver(buffer);
    driver.Put(20, 1);
    ASSERT_TRUE(driver.Get(1)); // the consumer reads 1 at 0-20
    for (int tag = 2; tag <= 4; ++tag) {
        driver.Put(20, tag); // write position 80
    }
    buffer.Clear();
    EXPECT_EQ(buffer.Count(), 1);
    // Were the held packet forgotten, this one would be taken and the ring would wrap onto it.
    EXPECT_FALSE(driver.Put(15, 5));
    EXPECT_FALSE(driver.Get(0)); // releases 1; 2 to 4 are gone
    EXPECT_TRUE(driver.Put(15, 5));
    EXPECT_TRUE(driver.Get(5));
}

TEST(PacketBufferTest, FullAndRoomFollowTheCountAndTheQueuedBytes) {
    CBuffer buffer(5);
    ASSERT_TRUE(buffer.Open(kArea, kMax, BufferMode::kBlocking));
    Driver driver(buffer);
    driver.Put(20, 1); // 2 records, 20 bytes queued
    driver.Put(19, 2); // 3 records, 39 bytes: 39 + 3 M < area
    EXPECT_TRUE(buffer.HasRoom());
    EXPECT_FALSE(buffer.IsFull());
    driver.Put(1, 3); // 40 + 3 M = area
    EXPECT_FALSE(buffer.HasRoom());
    EXPECT_TRUE(buffer.IsFull());
    driver.Get(1); // 20 bytes queued behind the held packet
    EXPECT_TRUE(buffer.HasRoom());
    driver.Put(1, 4);
    driver.Put(1, 5); // 5 records
    EXPECT_TRUE(buffer.IsFull());
    buffer.Close();
    EXPECT_FALSE(buffer.IsFull());
    EXPECT_FALSE(buffer.HasRoom());
}

TEST(PacketBufferTest, OpenRefusesSizesTheRoomRuleCannotKeep) {
    struct Case {
        int area;
        int max_packet;
        bool ok;
    };
    // An area of at most three maximum packets is always full: its producer would never put.
    for (const Case& c :
         {Case{100, 20, true}, Case{61, 20, true}, Case{60, 20, false}, Case{100, 100, false},
          Case{100, 101, false}, Case{100, 0, false}, Case{0, 0, false}, Case{-1, 1, false}}) {
        CBuffer buffer(30);
        EXPECT_EQ(buffer.Open(c.area, c.max_packet, BufferMode::kBlocking), c.ok)
            << c.area << " " << c.max_packet;
    }
}

TEST(PacketBufferTest, PutRefusesRecordsThatAreNoWritePositionOfTheArea) {
    CBuffer buffer(30);
    PacketRecord record;
    std::uint8_t elsewhere[10] = {};
    record.data = elsewhere;
    record.size = 5;
    EXPECT_FALSE(buffer.Put(record)); // not opened
    ASSERT_TRUE(buffer.Open(kArea, kMax, BufferMode::kBlocking));
    record.size = 5;
    EXPECT_FALSE(buffer.Put(record)); // outside the area
    buffer.Rewind(&record);
    record.size = kMax + 1;
    EXPECT_FALSE(buffer.Put(record)); // larger than M
    record.data += kArea - kMax + 1;
    record.size = 1;
    EXPECT_FALSE(buffer.Put(record)); // fewer than M bytes to the end
    EXPECT_EQ(buffer.Count(), 0);
}

TEST(VideoPacketBufferTest, PicturesAreQueuedOnlyAsChainsFromAKeyPicture) {
    CVBuffer2 buffer(4);
    ASSERT_TRUE(buffer.Open(1000, 50, BufferMode::kClosed)); // a producer that never waits
    Driver driver(buffer);
    EXPECT_EQ(buffer.ChainState(), -1);
    EXPECT_FALSE(driver.Put(10, 1, kKeyPicture)) << "blocked after construction";
    EXPECT_FALSE(driver.Put(10, 1, kOtherPicture));
    buffer.Clear();
    EXPECT_EQ(buffer.ChainState(), -1);
    buffer.SetChainState(0);

    struct VideoStep {
        const char* what;
        int type; // kNoPacket: a Get
        bool ok;
        int chain;
    };
    const VideoStep steps[] = {
        {"no key picture yet: dropped", kOtherPicture, false, 0},
        {"not a picture: never queued", kNoPacket + 1, false, 0},
        {"a key picture opens a chain", kKeyPicture, true, 1},
        {"follows in the chain", kOtherPicture, true, 1},
        {"second key picture", kKeyPicture, true, 2},
        {"handing out a key picture", kNoPacket, true, 1},
        {"third key picture (4 records)", kKeyPicture, true, 2},
        {"a non-key picture may make it 5", kOtherPicture, true, 2},
        {"a sixth record: dropped, the chain breaks", kOtherPicture, false, 0},
        {"get", kNoPacket, true, 0},
        {"get", kNoPacket, true, 0},
        {"room again, but no key picture since the break", kOtherPicture, false, 0},
        {"a key picture opens a new chain", kKeyPicture, true, 1},
        {"a key picture beyond the limit breaks the chain", kKeyPicture, false, 0},
        {"get", kNoPacket, true, 0},
        {"key picture", kKeyPicture, true, 1},
    };
    int tag = 10;
    for (const VideoStep& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.type == kNoPacket) {
            PacketRecord got;
            EXPECT_EQ(buffer.Get(got), step.ok);
        } else {
            EXPECT_EQ(driver.Put(10, ++tag, step.type), step.ok);
            EXPECT_EQ(driver.record().type, kNoPacket);
        }
        EXPECT_EQ(buffer.ChainState(), step.chain);
    }
    buffer.Rewind(&driver.record());
    EXPECT_EQ(buffer.ChainState(), 0);
}

TEST(AudioPacketBufferTest, APacketIsDroppedOnlyWhenMoreThanTheLimitAreListed) {
    CABuffer2 buffer;
    ASSERT_TRUE(buffer.Open(100000, 100, BufferMode::kClosed)); // a producer that never waits
    Driver driver(buffer);
    for (int tag = 1; tag <= 14; ++tag) {
        ASSERT_TRUE(driver.Put(10, tag));
    }
    ASSERT_EQ(buffer.Count(), 15);
    EXPECT_TRUE(driver.Put(10, 15)) << "15 listed: still accepted";
    EXPECT_EQ(buffer.Count(), 16);
    EXPECT_FALSE(driver.Put(10, 16)) << "16 listed: dropped";
    EXPECT_EQ(buffer.Count(), 16);
}

// Waits until `done` holds (true) or 20 s have passed (false), so that a lost packet or a
// producer that never waits fails the test instead of hanging it.
bool Eventually(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}

// Fills a blocking buffer until its producer waits, then closes it from another thread.
template <typename Buffer> void ExpectCloseReleasesTheWaitingProducer() {
    Buffer buffer;
    if constexpr (std::is_same_v<Buffer, CVBuffer2>) {
        buffer.SetChainState(0);
    }
    ASSERT_TRUE(buffer.Open(1000, 100, BufferMode::kBlocking));
    PacketRecord record;
    buffer.Rewind(&record);
    bool last_put = true;
    std::thread producer([&] {
        while (last_put) {
            record.size = 100;
            record.type = kKeyPicture;
            last_put = buffer.Put(record);
        }
    });
    EXPECT_TRUE(Eventually([&] { return buffer.IsProducerWaiting(); }));
    buffer.Close();
    producer.join();
    EXPECT_FALSE(last_put);
    record.size = 100;
    EXPECT_FALSE(buffer.Put(record)); // and later Puts do not wait
}

TEST(PacketBufferFlowTest, CloseReleasesAProducerWaitingForRoom) {
    ExpectCloseReleasesTheWaitingProducer<CVBuffer2>();
    ExpectCloseReleasesTheWaitingProducer<CABuffer2>();
}

TEST(PacketBufferFlowTest, AGetThatLeavesRoomWakesTheProducer) {
    CABuffer2 buffer;
    ASSERT_TRUE(buffer.Open(1000, 100, BufferMode::kBlocking));
    Driver driver(buffer);
    std::thread producer([&] {
        for (int tag = 1; tag <= 8; ++tag) {
            driver.Put(100, tag); // the 7th fills the buffer and waits
        }
    });
    EXPECT_TRUE(Eventually([&] { return buffer.IsProducerWaiting(); }));
    int tag = 1;
    EXPECT_TRUE(Eventually([&] {
        PacketRecord got;
        if (buffer.Get(got)) {
            EXPECT_EQ(got.position, tag++);
        }
        return tag > 8;
    })) << "packet "
        << tag << " never came";
    buffer.Close(); // releases the producer should it still wait
    producer.join();
}

} // namespace
} // namespace korvex
