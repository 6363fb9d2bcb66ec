#include "stream/stream_tables.h"
#include "ts_bytes.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::Bytes;
using test::MakePacket;
using test::MakePat;
using test::MakePmt;

void Offer(StreamTables& tables, const Bytes& packet) {
    if (auto header = DecodeHeader(packet.data())) {
        tables.OfferToTables(*header);
    }
}

const Bytes kPat = MakePacket(0, true, MakePat({{0, 0x10}, {1, 0x100}}));

TEST(StreamTables, LearnsThePidsFromTheFirstProgramsMap) {
    StreamTables tables;
    Offer(tables, kPat);
    EXPECT_FALSE(tables.Ready());
    ASSERT_EQ(tables.Programs().size(), 1u); // program 0 is the network PID, not kept
    EXPECT_EQ(tables.Programs()[0].pmt_pid, 0x100);
    Offer(tables,
          MakePacket(
              0x100, true,
              MakePmt(0x1011, {{0x1B, 0x1011}, {0x0F, 0x1100}, {0xA0, 0x1200}, {0x06, 0x1300}})));
    ASSERT_TRUE(tables.Ready());
    EXPECT_EQ(tables.VideoPid(), 0x1011);
    EXPECT_EQ(tables.AudioPid(), 0x1100);
    EXPECT_EQ(tables.GpsPid(), 0x1200);
    EXPECT_EQ(tables.PcrPid(), 0x1011);
    EXPECT_EQ(tables.Streams().size(), 4u);
}

TEST(StreamTables, AStreamMissingFromTheMapStaysUnset) {
    StreamTables tables;
    Offer(tables, kPat);
    Offer(tables, MakePacket(0x100, true, MakePmt(0x1011, {{0x1B, 0x1011}, {0x0F, 0x1100}})));
    ASSERT_TRUE(tables.Ready());
    EXPECT_EQ(tables.GpsPid(), kNoPid);
}

TEST(StreamTables, ALaterStreamOfTheSameTypeWins) {
    StreamTables tables;
    Offer(tables, kPat);
    Offer(tables, MakePacket(0x100, true, MakePmt(0x1011, {{0x1B, 0x1011}, {0x1B, 0x1022}})));
    EXPECT_EQ(tables.VideoPid(), 0x1022);
}

TEST(StreamTables, IgnoresTablesWithoutUnitStartOutOfOrderOrTooLong) {
    const Bytes pmt = MakePacket(0x100, true, MakePmt(0x1011, {{0x1B, 0x1011}}));
    Bytes overlong = kPat;
    overlong[4 + 1 + 2] = 0xFF; // section length past the packet's payload

    StreamTables tables;
    Offer(tables, pmt); // no programs known yet
    Offer(tables, MakePacket(0, false, MakePat({{1, 0x100}})));
    Offer(tables, overlong);
    EXPECT_TRUE(tables.Programs().empty());
    Offer(tables, MakePacket(0x100, false, MakePmt(0x1011, {{0x1B, 0x1011}})));
    Offer(tables, kPat);
    EXPECT_FALSE(tables.Ready());
    Offer(tables, pmt);
    EXPECT_TRUE(tables.Ready());
}

TEST(StreamTables, ClearedReadinessReturnsAtTheNextPacket) {
    StreamTables tables;
    Offer(tables, kPat);
    Offer(tables, MakePacket(0x100, true, MakePmt(0x1011, {{0x1B, 0x1011}})));
    tables.ClearReady();
    EXPECT_FALSE(tables.Ready());
    Offer(tables, MakePacket(0x1011, false, {}));
    EXPECT_TRUE(tables.Ready());
    EXPECT_EQ(tables.VideoPid(), 0x1011);
}

} // namespace
} // namespace korvex
