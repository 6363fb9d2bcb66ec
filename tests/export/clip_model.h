#pragma once

// The clips that the range rule selects, worked out from the recordings as they were written,
// for the tests to compare the exports with.

#include "export/clip_marks.h"
#include "mkcard/card_writer.h"
#include "video/block_code.h"

#include <string>
#include <vector>

namespace korvex::test {

// The transport-stream clip: the head of the first recording (its program tables, the first two
// packets of a generated recording), then every 8192-byte block that ends inside the marks;
// after the head's block, the bytes that framing left of it go along with the next block.
std::string ExpectedTsClip(const std::vector<std::string>& chain, const ClipRange& marks);

// The pictures of an AVI clip, as the block codes in them read: every picture whose PES is
// complete inside the marks. A picture's PES is complete once the first packet of the next
// picture has been framed (which takes the sync byte after that packet), or, for the last
// picture of a recording, in the first block of the next one, or at the end of the data.
std::vector<BlockCode> ExpectedPictures(const std::vector<mkcard::WrittenRecording>& chain,
                                        const ClipRange& marks);

// The end of the 8192-byte block that holds byte `offset + length - 1` of a file of `size`.
std::int64_t EndOfBlockHolding(std::int64_t offset, std::int64_t length, std::int64_t size);

} // namespace korvex::test
