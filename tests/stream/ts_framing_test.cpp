#include "stream/scan_buffer.h"
#include "stream/ts_packet.h"
#include "ts_bytes.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::Bytes;
using test::MakePacket;

struct AdaptationCase {
    int stuffing;
    std::size_t payload;
};

TEST(DecodeHeader, PayloadLengthFollowsTheAdaptationField) {
    for (const AdaptationCase& c :
         {AdaptationCase{0, 183}, {10, 173}, {182, 1}, {183, 0}, {200, 0}}) {
        const Bytes packet = MakePacket(0x1011, true, {}, c.stuffing);
        auto header = DecodeHeader(packet.data());
        ASSERT_TRUE(header) << c.stuffing;
        EXPECT_EQ(header->adaptation, 3);
        EXPECT_EQ(header->payload.size(), c.payload) << c.stuffing;
        EXPECT_EQ(header->payload.data() + header->payload.size(), packet.data() + 188);
    }
}

TEST(DecodeHeader, ReadsFlagsAndPid) {
    Bytes packet = MakePacket(0x1011, true, {0xAB});
    auto header = DecodeHeader(packet.data());
    ASSERT_TRUE(header);
    EXPECT_TRUE(header->unit_start);
    EXPECT_FALSE(header->error);
    EXPECT_EQ(header->pid, 0x1011);
    EXPECT_EQ(header->payload.size(), 184u);
    EXPECT_EQ(header->payload[0], 0xAB);

    packet[3] = 0x20; // adaptation field only
    header = DecodeHeader(packet.data());
    ASSERT_TRUE(header);
    EXPECT_TRUE(header->payload.empty());
}

TEST(DecodeHeader, SkipsErroredAndReservedPackets) {
    Bytes errored = MakePacket(0x100, false, {});
    errored[1] |= 0x80;
    EXPECT_FALSE(DecodeHeader(errored.data()));
    Bytes reserved = MakePacket(0x100, false, {});
    reserved[3] &= 0xCF;
    EXPECT_FALSE(DecodeHeader(reserved.data()));
}

// Packets numbered by the second payload byte (the first is 0xFF, never a sync byte).
Bytes NumberedPacket(int number) {
    return MakePacket(0x100, false, {0xFF, static_cast<std::uint8_t>(number)});
}

std::vector<int> FrameForward(const Bytes& file, std::size_t first_block) {
    ScanBuffer scan;
    std::vector<int> found;
    for (std::size_t at = 0; at < file.size();) {
        const std::size_t size =
            std::min(at == 0 ? first_block : ScanBuffer::kBlockSize, file.size() - at);
        scan.AppendForward({file.data() + at, size});
        at += size;
        while (const std::uint8_t* packet = scan.NextPacketForward()) {
            found.push_back(packet[5]);
        }
        EXPECT_LE(scan.Unscanned(), kTsPacketSize);
    }
    return found;
}

std::vector<int> FrameBackward(const Bytes& file, std::size_t first_block) {
    ScanBuffer scan;
    std::vector<int> found;
    for (std::size_t end = file.size(); end > 0;) {
        const std::size_t size =
            std::min(end == file.size() ? first_block : ScanBuffer::kBlockSize, end);
        end -= size;
        scan.PrependBackward({file.data() + end, size});
        while (const std::uint8_t* packet = scan.NextPacketBackward()) {
            found.push_back(packet[5]);
        }
        EXPECT_LE(scan.Unscanned(), kTsPacketSize);
    }
    return found;
}

Bytes NumberedStream(int count, const Bytes& garbage_after_five) {
    std::vector<Bytes> parts{{0x12, 0x47, 0x00}}; // starts in the middle of something
    for (int i = 0; i < count; ++i) {
        parts.push_back(NumberedPacket(i));
        if (i == 5) {
            parts.push_back(garbage_after_five);
        }
    }
    return test::Concat(parts);
}

std::vector<int> Numbers(int from, int to) {
    std::vector<int> numbers;
    for (int i = from; i < to; ++i) {
        numbers.push_back(i);
    }
    return numbers;
}

TEST(ScanBuffer, ForwardFindsEveryPacketButTheLastAcrossBlocksAndGarbage) {
    const Bytes file = NumberedStream(100, {0x47, 0x00, 0x47, 0x13});
    // Block boundaries fall inside packets; the last packet has no sync byte after it.
    for (std::size_t first_block : {std::size_t{8192}, std::size_t{1000}, std::size_t{189}}) {
        EXPECT_EQ(FrameForward(file, first_block), Numbers(0, 99)) << first_block;
    }
}

TEST(ScanBuffer, BackwardFindsEveryPacketButTheLastInReverse) {
    const Bytes file = NumberedStream(100, {0x47, 0x00, 0x47, 0x13});
    std::vector<int> expected = Numbers(0, 99);
    std::reverse(expected.begin(), expected.end());
    for (std::size_t first_block : {std::size_t{8192}, std::size_t{1000}, std::size_t{189}}) {
        EXPECT_EQ(FrameBackward(file, first_block), expected) << first_block;
    }
}

TEST(ScanBuffer, ALoneSyncByteBeforeARealOneIsTakenAndTheStreamIsFoundAgain) {
    // Packet 0 is cut off by a 14-byte gap, and its payload holds a 0x47 exactly 188 bytes
    // before the sync byte of packet 1.
    Bytes first = NumberedPacket(0);
    first[14] = 0x47;
    const Bytes file = test::Concat(
        {first, Bytes(14, 0x00), NumberedPacket(1), NumberedPacket(2), NumberedPacket(3)});
    ScanBuffer scan;
    scan.AppendForward(file);
    std::vector<const std::uint8_t*> found;
    while (const std::uint8_t* packet = scan.NextPacketForward()) {
        found.push_back(packet);
    }
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[1] - found[0], 188); // the false start, taken without further check
    EXPECT_EQ(found[1][5], 1);           // in step again
    EXPECT_EQ(found[2][5], 2);
}

TEST(ScanBuffer, ClearDropsTheUnscannedBytes) {
    const Bytes file = NumberedStream(10, {});
    ScanBuffer scan;
    scan.AppendForward({file.data(), 1000});
    ASSERT_TRUE(scan.NextPacketForward());
    scan.Clear();
    EXPECT_EQ(scan.Unscanned(), 0u);
    EXPECT_FALSE(scan.NextPacketForward());
}

} // namespace
} // namespace korvex
