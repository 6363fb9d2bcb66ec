#include "clip_model.h"

#include "temp_dir.h"

#include <algorithm>
#include <stdexcept>

namespace korvex::test {

namespace {

constexpr std::int64_t kBlock = 8192;
constexpr std::int64_t kPacket = 188;
constexpr std::int64_t kHeadSize = 2 * kPacket; // PAT and PMT

// What framing leaves unscanned of `length` packet-aligned bytes: a packet is taken only when
// the sync byte of the next one is there too.
std::int64_t LeftByFraming(std::int64_t length) {
    const std::int64_t framed = length > kPacket ? (length - kPacket - 1) / kPacket + 1 : 0;
    return length - framed * kPacket;
}

} // namespace

std::int64_t EndOfBlockHolding(std::int64_t offset, std::int64_t length, std::int64_t size) {
    const std::int64_t last = offset + length - 1;
    return std::min(size, (last / kBlock + 1) * kBlock);
}

std::string ExpectedTsClip(const std::vector<std::string>& chain, const ClipRange& marks) {
    const std::string first = ReadFile(chain.front());
    if (first.size() < kHeadSize || first[0] != 0x47 || first[kPacket] != 0x47) {
        throw std::runtime_error("not a generated recording: " + chain.front());
    }
    std::string clip = first.substr(0, kHeadSize);
    std::string carried;
    for (const std::string& path : chain) {
        const std::string bytes = ReadFile(path);
        const auto size = static_cast<std::int64_t>(bytes.size());
        for (std::int64_t start = 0; start < size; start += kBlock) {
            const std::int64_t end = std::min(size, start + kBlock);
            const std::string block = bytes.substr(static_cast<std::size_t>(start),
                                                   static_cast<std::size_t>(end - start));
            if (path == chain.front() && start == 0) {
                if (marks.Inside(path, end)) {
                    clip += block.substr(kHeadSize);
                } else {
                    carried =
                        block.substr(block.size() - static_cast<std::size_t>(LeftByFraming(end)));
                }
            } else if (marks.Inside(path, end)) {
                clip += carried + block;
                carried.clear();
            } else if (marks.PastEnd(path, end)) {
                return clip;
            } else {
                carried.clear();
            }
        }
        if (path == marks.out_path) {
            break;
        }
    }
    return clip;
}

std::vector<BlockCode> ExpectedPictures(const std::vector<mkcard::WrittenRecording>& chain,
                                        const ClipRange& marks) {
    std::vector<BlockCode> pictures;
    for (std::size_t r = 0; r < chain.size(); ++r) {
        const mkcard::WrittenRecording& recording = chain[r];
        const auto size = static_cast<std::int64_t>(recording.size);
        const bool last_read = r + 1 == chain.size() || recording.path.string() == marks.out_path;
        for (int i = 0; i < recording.pictures; ++i) {
            std::string path = recording.path.string();
            std::int64_t position = size;
            if (i + 1 < recording.pictures) {
                const auto next = static_cast<std::int64_t>(
                    recording.picture_offsets[static_cast<std::size_t>(i) + 1]);
                position = EndOfBlockHolding(next, kPacket + 1, size);
            } else if (!last_read) {
                path = chain[r + 1].path.string();
                position =
                    std::min<std::int64_t>(kBlock, static_cast<std::int64_t>(chain[r + 1].size));
            }
            if (marks.Inside(path, position)) {
                pictures.push_back({recording.number, i});
            } else if (marks.PastEnd(path, position)) {
                return pictures;
            }
        }
        if (last_read) {
            break;
        }
    }
    return pictures;
}

} // namespace korvex::test
