#include "export/avi_header.h"

#include "audio/sound_format.h"
#include "export/riff_bytes.h"

#include <algorithm>

namespace korvex {

namespace {

constexpr std::uint32_t kHasIndex = 0x10;       // AVIF_HASINDEX
constexpr std::uint32_t kIsInterleaved = 0x100; // AVIF_ISINTERLEAVED
constexpr std::uint32_t kVideoScale = 1000;     // rate = frame rate x 1000
constexpr std::uint32_t kAudioScale = 2;        // with the rate in bytes per second
constexpr std::uint32_t kDefaultQuality = 0xFFFFFFFF;
constexpr std::uint8_t kIndexOfIndexes = 0x00; // AVI_INDEX_OF_INDEXES
constexpr std::uint8_t kIndexOfChunks = 0x01;  // AVI_INDEX_OF_CHUNKS
constexpr std::size_t kIndexHeaderSize = 24;   // after the chunk header
constexpr std::size_t kSuperIndexEntrySize = 16;
constexpr std::size_t kStandardIndexEntrySize = 8;
constexpr std::size_t kOdmlHeaderSize = 248; // 'dmlh': total frames and reserved room
// The 'odml' list: its type, then the 'dmlh' chunk.
constexpr std::size_t kOdmlListPayload = 4 + 8 + kOdmlHeaderSize;

bool IsExtended(const AviHeaderValues& values) {
    return !values.video.super_index.empty() || !values.audio.super_index.empty();
}

void MainHeader(RiffBytes& out, const AviHeaderValues& values) {
    const std::size_t avih = out.Begin("avih");
    out.U32(static_cast<std::uint32_t>(1000000 / values.frame_rate)); // microseconds a frame
    out.U32(0);                                                       // max bytes per second
    out.U32(0);                                                       // padding granularity
    out.U32(kHasIndex | kIsInterleaved);
    out.U32(values.riff_frames);
    out.U32(0); // initial frames
    out.U32(2); // streams
    out.U32(std::max(values.video.largest_chunk, values.audio.largest_chunk));
    out.U32(static_cast<std::uint32_t>(values.width));
    out.U32(static_cast<std::uint32_t>(values.height));
    out.Zeros(16); // reserved
    out.End(avih);
}

// A stream header: the fields each stream sets, every other one 0.
struct StreamHeader {
    const char (&type)[5];
    std::uint32_t handler;
    std::uint32_t scale;
    std::uint32_t rate;
    std::uint32_t quality;
    std::uint32_t sample_size;
    std::uint16_t right; // frame rectangle; left and top are 0
    std::uint16_t bottom;
};

void StreamHeaderChunk(RiffBytes& out, const StreamHeader& header, const AviStreamTotals& totals) {
    const std::size_t strh = out.Begin("strh");
    out.FourCc(header.type);
    out.U32(header.handler);
    out.U32(0); // flags
    out.U16(0); // priority
    out.U16(0); // language
    out.U32(0); // initial frames
    out.U32(header.scale);
    out.U32(header.rate);
    out.U32(0); // start
    out.U32(totals.length);
    out.U32(totals.largest_chunk);
    out.U32(header.quality);
    out.U32(header.sample_size);
    out.U16(0);
    out.U16(0);
    out.U16(header.right);
    out.U16(header.bottom);
    out.End(strh);
}

std::uint32_t FourCcValue(const char (&code)[5]) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[0])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[3])) << 24;
}

void VideoFormat(RiffBytes& out, const AviHeaderValues& values) {
    const std::size_t strf = out.Begin("strf");
    const auto width = static_cast<std::uint32_t>(values.width);
    const auto height = static_cast<std::uint32_t>(values.height);
    out.U32(40); // size of the bitmap information header
    out.U32(width);
    out.U32(height);
    out.U16(1);  // planes
    out.U16(24); // bits per pixel
    out.FourCc("X264");
    out.U32(((width * 3 + 3) & ~3u) * height); // image size: rows of whole 32-bit words
    out.Zeros(16);                             // resolution and palette counts
    out.End(strf);
}

void AudioFormat(RiffBytes& out) {
    const std::size_t strf = out.Begin("strf");
    out.U16(1); // PCM
    out.U16(kSoundChannels);
    out.U32(kSoundRate);
    out.U32(kSoundBytesPerSecond);
    out.U16(kSoundChannels * kSoundBytesPerSample); // block alignment
    out.U16(8 * kSoundBytesPerSample);
    out.U16(0); // extra size
    out.End(strf);
}

// Room kept for a chunk of `payload` bytes that a longer clip will need.
void Junk(RiffBytes& out, std::size_t payload) {
    const std::size_t junk = out.Begin("JUNK");
    out.Zeros(payload);
    out.End(junk);
}

// The index of indexes, or JUNK of the same size while the file has one RIFF.
void SuperIndex(RiffBytes& out, const char (&chunk_id)[5], const AviStreamTotals& totals,
                bool extended) {
    if (!extended) {
        Junk(out, kIndexHeaderSize + kAviSuperIndexSlots * kSuperIndexEntrySize);
        return;
    }
    const std::size_t indx = out.Begin("indx");
    out.U16(4); // longs per entry
    out.U8(0);  // sub type
    out.U8(kIndexOfIndexes);
    out.U32(static_cast<std::uint32_t>(totals.super_index.size()));
    out.FourCc(chunk_id);
    out.Zeros(12); // reserved
    for (const AviSuperIndexEntry& entry : totals.super_index) {
        out.U64(entry.offset);
        out.U32(entry.size);
        out.U32(entry.duration);
    }
    out.Zeros((kAviSuperIndexSlots - totals.super_index.size()) * kSuperIndexEntrySize);
    out.End(indx);
}

void OdmlHeader(RiffBytes& out, const AviHeaderValues& values, bool extended) {
    if (!extended) {
        Junk(out, kOdmlListPayload);
        return;
    }
    const std::size_t odml = out.BeginList("odml");
    const std::size_t dmlh = out.Begin("dmlh");
    out.U32(values.video.length); // frames in the whole file
    out.Zeros(kOdmlHeaderSize - 4);
    out.End(dmlh);
    out.End(odml);
}

} // namespace

std::vector<std::uint8_t> BuildAviHeader(const AviHeaderValues& values) {
    const bool extended = IsExtended(values);
    RiffBytes out;
    out.FourCc("RIFF");
    out.U32(values.riff_size);
    out.FourCc("AVI ");
    const std::size_t hdrl = out.BeginList("hdrl");
    MainHeader(out, values);

    const std::size_t video = out.BeginList("strl");
    StreamHeaderChunk(out,
                      {"vids", FourCcValue("AVC1"), kVideoScale,
                       static_cast<std::uint32_t>(values.frame_rate) * kVideoScale, kDefaultQuality,
                       0, static_cast<std::uint16_t>(values.width),
                       static_cast<std::uint16_t>(values.height)},
                      values.video);
    VideoFormat(out, values);
    SuperIndex(out, kAviVideoChunkId, values.video, extended);
    out.End(video);

    const std::size_t audio = out.BeginList("strl");
    StreamHeaderChunk(out,
                      {"auds", 0, kAudioScale, kSoundBytesPerSecond, 0, kSoundBytesPerSample, 0, 0},
                      values.audio);
    AudioFormat(out);
    SuperIndex(out, kAviAudioChunkId, values.audio, extended);
    out.End(audio);

    OdmlHeader(out, values, extended);
    out.End(hdrl);

    out.FourCc("LIST");
    out.U32(values.movi_size);
    out.FourCc("movi");
    return out.Result();
}

std::size_t AviHeaderSize() {
    static const std::size_t size = [] {
        AviHeaderValues values;
        values.frame_rate = 1;
        return BuildAviHeader(values).size();
    }();
    return size;
}

std::vector<std::uint8_t> BuildStandardIndex(const char (&index_id)[5], const char (&chunk_id)[5],
                                             std::uint64_t base,
                                             std::span<const AviChunkRef> chunks) {
    RiffBytes out;
    out.FourCc(index_id);
    out.U32(static_cast<std::uint32_t>(kIndexHeaderSize + chunks.size() * kStandardIndexEntrySize));
    out.U16(2); // longs per entry
    out.U8(0);  // sub type
    out.U8(kIndexOfChunks);
    out.U32(static_cast<std::uint32_t>(chunks.size()));
    out.FourCc(chunk_id);
    out.U64(base);
    out.U32(0); // reserved
    for (const AviChunkRef& chunk : chunks) {
        out.U32(static_cast<std::uint32_t>(chunk.data_offset - base));
        out.U32(chunk.size); // bit 31 clear: a key frame
    }
    return out.Result();
}

} // namespace korvex
