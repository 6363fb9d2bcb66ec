#pragma once

#include "audio/sound_format.h"

namespace korvex {

// How the audio worker keeps ahead of the device's play cursor in the looping buffer.
//
// The lead is the number of bytes written ahead of the cursor: from the cursor to `next`, the
// offset where the next block will go. The worker writes the next block once the lead has
// fallen to 1.5 blocks or less, which in steady playing is when the cursor passes a block
// middle, so block n + 2 is written as the cursor passes the middle of block n. Otherwise it
// waits for a notification.
//
// A lead larger than any the worker can build up (4 blocks) means the cursor has overtaken the
// writer and the lead has wrapped round the loop: the worker was held up for longer than its
// margin. It then re-synchronises: the next block goes to the first block boundary at or after
// the cursor, and since the lead is then below one block, the following blocks are written at
// once until the margin of 1.5 blocks is back. What the device played meanwhile was old loop
// contents; nothing else is lost.
inline constexpr int kRefillLeadBytes = kSoundBlockBytes + kSoundNotifyOffset;
inline constexpr int kMaxLeadBytes = 4 * kSoundBlockBytes;

enum class LoopStep {
    kWriteNext,     // write the block at `next` now
    kWait,          // wait for a notification first
    kResynchronise, // move `next` to ResynchronisedOffset(cursor), then write
};

constexpr int LeadBytes(int next, int cursor) {
    return (next - cursor + kSoundLoopBytes) % kSoundLoopBytes;
}

constexpr LoopStep NextLoopStep(int next, int cursor) {
    const int lead = LeadBytes(next, cursor);
    return lead > kMaxLeadBytes       ? LoopStep::kResynchronise
           : lead <= kRefillLeadBytes ? LoopStep::kWriteNext
                                      : LoopStep::kWait;
}

// The first block boundary at or after `cursor`, wrapping to 0 at the end of the loop.
constexpr int ResynchronisedOffset(int cursor) {
    return (cursor + kSoundBlockBytes - 1) / kSoundBlockBytes * kSoundBlockBytes % kSoundLoopBytes;
}

} // namespace korvex
