#include "audio/loop_pacing.h"
#include "audio/sound_loop.h"
#include "engine/auto_reset_event.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace korvex {
namespace {

constexpr int kBlock = kSoundBlockBytes;

void CommitFilled(SoundLoop& loop, int offset, uint8_t value) {
    std::span<uint8_t> block = loop.StageBlock(offset);
    std::fill(block.begin(), block.end(), value);
    loop.CommitBlock();
}

TEST(SoundLoopTest, TakesCommittedBlocksRoundTheLoopAndSignalsAtBlockMiddles) {
    AutoResetEvent notification;
    SoundLoop loop(notification);
    for (int b = 0; b < kSoundBlockCount; ++b) {
        CommitFilled(loop, b * kBlock, static_cast<uint8_t>(b + 1));
    }
    std::vector<uint8_t> out(kBlock / 2 - 1);
    loop.Take(out); // up to just before the middle of block 0
    EXPECT_FALSE(notification.TryWait());
    out.resize(1);
    loop.Take(out); // reaches it
    EXPECT_TRUE(notification.TryWait());
    EXPECT_EQ(loop.PlayCursor(), kBlock / 2);

    // Across the end of the loop: the rest of the loop, then the start again.
    out.resize(kSoundLoopBytes);
    loop.Take(out);
    EXPECT_EQ(loop.PlayCursor(), kBlock / 2);
    EXPECT_EQ(out.front(), 1);
    EXPECT_EQ(out[kBlock / 2], 2);
    EXPECT_EQ(out[kSoundLoopBytes - kBlock / 2 - 1], 16);
    EXPECT_EQ(out.back(), 1);
    EXPECT_TRUE(notification.TryWait());
    EXPECT_FALSE(notification.TryWait()); // sixteen middles passed, one event
}

TEST(SoundLoopTest, AwaitAcknowledgedWaitsForTheWorkerOrTheClose) {
    AutoResetEvent notification;
    SoundLoop loop(notification);
    EXPECT_TRUE(loop.AwaitAcknowledged()); // nothing signalled yet
    std::vector<uint8_t> out(kBlock);
    loop.Take(out);
    std::thread worker([&] { loop.Acknowledge(); });
    EXPECT_TRUE(loop.AwaitAcknowledged());
    worker.join();
    loop.Take(out);
    std::thread closer([&] { loop.CancelWaits(); });
    EXPECT_FALSE(loop.AwaitAcknowledged());
    closer.join();
}

TEST(LoopPacingTest, WritesWaitsOrResynchronisesByTheLead) {
    struct Case {
        int next;
        int cursor;
        LoopStep step;
    };
    const Case cases[] = {
        {kBlock, 0, LoopStep::kWriteNext},              // block 0 written, playing starts
        {2 * kBlock, 0, LoopStep::kWait},               // block 1 written too
        {2 * kBlock, kBlock / 2 - 1, LoopStep::kWait},  // just before the middle of block 0
        {2 * kBlock, kBlock / 2, LoopStep::kWriteNext}, // at it: 1.5 blocks ahead
        {3 * kBlock, kBlock / 2, LoopStep::kWait},      // steady: 2.5 blocks ahead
        {kBlock, 15 * kBlock + kBlock / 2, LoopStep::kWriteNext}, // ahead across the wrap
        {0, 14 * kBlock + 1, LoopStep::kWait},
        {2 * kBlock, 2 * kBlock, LoopStep::kWriteNext},         // cursor reached the written end
        {2 * kBlock, 2 * kBlock + 1, LoopStep::kResynchronise}, // and overtook it
        {5 * kBlock, 10 * kBlock, LoopStep::kResynchronise},
        {5 * kBlock, 0, LoopStep::kResynchronise}, // more ahead than ever written: wrapped
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextLoopStep(c.next, c.cursor), c.step) << c.next << " " << c.cursor;
    }
}

TEST(LoopPacingTest, ResynchronisesToTheFirstBoundaryAtOrAfterTheCursor) {
    struct Case {
        int cursor;
        int offset;
    };
    for (const Case& c :
         {Case{0, 0}, Case{1, kBlock}, Case{kBlock, kBlock}, Case{kBlock + 3072, 2 * kBlock},
          Case{15 * kBlock + 1, 0}, Case{kSoundLoopBytes - 1, 0}}) {
        const int offset = ResynchronisedOffset(c.cursor);
        EXPECT_EQ(offset, c.offset) << c.cursor;
        EXPECT_EQ(NextLoopStep(offset, c.cursor), LoopStep::kWriteNext) << c.cursor;
    }
}

} // namespace
} // namespace korvex
