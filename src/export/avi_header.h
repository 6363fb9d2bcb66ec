#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace korvex {

// The layout of the clips' AVI files. Video is stream 0, audio stream 1. The header reserves
// room (as JUNK chunks, which every reader skips) for the OpenDML index of indexes of each
// stream and for the OpenDML header list; a file that stays within its first RIFF is a plain
// AVI 1.0 file, and one that grows past it gets them filled in when it is closed.

inline constexpr char kAviVideoChunkId[5] = "00dc";
inline constexpr char kAviAudioChunkId[5] = "01wb";
inline constexpr char kAviVideoIndexId[5] = "ix00";
inline constexpr char kAviAudioIndexId[5] = "ix01";
inline constexpr std::uint32_t kAviKeyFrameFlag = 0x10; // legacy index: AVIIF_KEYFRAME
// Slots in each stream's index of indexes: one per RIFF, so clips up to 256 RIFFs.
inline constexpr std::size_t kAviSuperIndexSlots = 256;

// One entry of an index of indexes: where a stream's standard index of one RIFF lies.
struct AviSuperIndexEntry {
    std::uint64_t offset = 0;   // of the index chunk in the file
    std::uint32_t size = 0;     // of the index chunk, its header included
    std::uint32_t duration = 0; // frames (video) or samples (audio) it indexes
};

struct AviStreamTotals {
    std::uint32_t length = 0;        // frames (video) or 16-bit samples (audio) in the file
    std::uint32_t largest_chunk = 0; // bytes, as the suggested buffer size
    std::vector<AviSuperIndexEntry> super_index; // empty while the file has one RIFF
};

struct AviHeaderValues {
    int width = 0;
    int height = 0;
    int frame_rate = 0;            // pictures per second, > 0
    std::uint32_t riff_size = 0;   // size field of the first RIFF ('AVI ')
    std::uint32_t movi_size = 0;   // size field of its 'movi' list
    std::uint32_t riff_frames = 0; // video frames in the first RIFF
    AviStreamTotals video;
    AviStreamTotals audio;
};

// Everything in front of the first chunk of the first 'movi' list: the RIFF header, the 'hdrl'
// list with the main header, both streams' headers and formats and the reserved room, and the
// head of the 'movi' list. Always the same size, so the final version overwrites the first.
std::vector<std::uint8_t> BuildAviHeader(const AviHeaderValues& values);

// The size of that header; the first chunk starts there, and the 'movi' type code, from which
// the legacy index counts its offsets, four bytes before it.
std::size_t AviHeaderSize();

// Where one chunk of a stream lies: the offset of its data (after its 8-byte header), its size.
struct AviChunkRef {
    std::uint64_t data_offset = 0;
    std::uint32_t size = 0;
};

// A standard index chunk (AVISTDINDEX, index of chunks) of one stream in one RIFF, with offsets
// relative to `base`; every chunk marked as a key frame.
std::vector<std::uint8_t> BuildStandardIndex(const char (&index_id)[5], const char (&chunk_id)[5],
                                             std::uint64_t base,
                                             std::span<const AviChunkRef> chunks);

} // namespace korvex
