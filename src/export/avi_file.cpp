#include "export/avi_file.h"

#include "export/riff_bytes.h"

#include <algorithm>
#include <limits>

namespace korvex {

namespace {

constexpr std::int64_t kChunkHeaderSize = 8;
constexpr std::int64_t kLegacyEntrySize = 16;
constexpr std::int64_t kStandardIndexHeaderSize = 32;
constexpr std::int64_t kStandardEntrySize = 8;
// The rectangle of the stream header holds 16-bit numbers.
constexpr int kLargestSide = std::numeric_limits<std::uint16_t>::max();

std::vector<std::uint8_t> ChunkHeader(const char (&id)[5], std::uint32_t size) {
    RiffBytes out;
    out.FourCc(id);
    out.U32(size);
    return out.Result();
}

std::vector<std::uint8_t> Number32(std::uint32_t value) {
    RiffBytes out;
    out.U32(value);
    return out.Result();
}

} // namespace

bool CAviFile::Create(const std::string& path, int width, int height, int frame_rate) {
    Close();
    error_.clear();
    values_ = {};
    legacy_index_.clear();
    if (frame_rate <= 0 || width <= 0 || height <= 0 || width > kLargestSide ||
        height > kLargestSide) {
        error_ = "cannot create " + path + ": no picture size " + std::to_string(width) + "x" +
                 std::to_string(height) + " at " + std::to_string(frame_rate) +
                 " pictures per second";
        return false;
    }
    if (!file_.Create(path)) {
        return false;
    }
    values_.width = width;
    values_.height = height;
    values_.frame_rate = frame_rate;
    riff_count_ = 1;
    riff_start_ = 0;
    movi_start_ = static_cast<std::int64_t>(AviHeaderSize()) - 12;
    video_chunks_.clear();
    audio_chunks_.clear();
    video_duration_ = audio_duration_ = 0;
    return file_.Write(BuildAviHeader(values_));
}

bool CAviFile::WriteVideo(std::span<const std::uint8_t> frame) {
    return WriteChunk(true, frame);
}

bool CAviFile::WriteAudio(std::span<const std::uint8_t> pcm) {
    if (!IsOpen()) {
        return false;
    }
    const std::size_t whole = pcm.size() / 2 * 2;
    return whole == 0 || WriteChunk(false, pcm.first(whole));
}

bool CAviFile::WriteChunk(bool video, std::span<const std::uint8_t> data) {
    if (!IsOpen() || !Error().empty()) {
        return false;
    }
    if (data.size() > std::numeric_limits<std::uint32_t>::max() / 2) {
        return Fail("cannot write " + file_.Path() + ": a frame of " + std::to_string(data.size()) +
                    " bytes");
    }
    const auto size = static_cast<std::uint32_t>(data.size());
    const std::int64_t chunk = kChunkHeaderSize + size + (size & 1);
    const bool riff_has_chunks = !video_chunks_.empty() || !audio_chunks_.empty();
    if (riff_has_chunks &&
        file_.Position() - riff_start_ + chunk + PendingIndexBytes() > riff_limit_ &&
        !(CloseRiff(true) && StartExtension())) {
        return false;
    }
    const std::int64_t at = file_.Position();
    const AviChunkRef ref{static_cast<std::uint64_t>(at + kChunkHeaderSize), size};
    AviStreamTotals& totals = video ? values_.video : values_.audio;
    if (video) {
        video_chunks_.push_back(ref);
        totals.length += 1;
        video_duration_ += 1;
    } else {
        audio_chunks_.push_back(ref);
        totals.length += size / 2;
        audio_duration_ += size / 2;
    }
    totals.largest_chunk = std::max(totals.largest_chunk, size);
    if (riff_count_ == 1) {
        legacy_index_.push_back({video, static_cast<std::uint32_t>(at - movi_start_ - 8), size});
    }
    const std::uint8_t pad = 0;
    return file_.Write(ChunkHeader(video ? kAviVideoChunkId : kAviAudioChunkId, size)) &&
           file_.Write(data) && ((size & 1) == 0 || file_.Write({&pad, 1}));
}

std::int64_t CAviFile::PendingIndexBytes() const {
    // One more entry each for the chunk about to be written.
    const auto video = static_cast<std::int64_t>(video_chunks_.size()) + 1;
    const auto audio = static_cast<std::int64_t>(audio_chunks_.size()) + 1;
    std::int64_t bytes = 2 * kStandardIndexHeaderSize + (video + audio) * kStandardEntrySize;
    if (riff_count_ == 1) {
        bytes += kChunkHeaderSize +
                 (static_cast<std::int64_t>(legacy_index_.size()) + 1) * kLegacyEntrySize;
    }
    return bytes;
}

bool CAviFile::Close() {
    if (!IsOpen()) {
        return true;
    }
    const bool ok = CloseRiff(riff_count_ > 1) && file_.WriteAt(0, BuildAviHeader(values_)) &&
                    error_.empty() && file_.Close();
    if (!ok) {
        file_.Discard();
    }
    Reset();
    return ok;
}

void CAviFile::Discard() {
    file_.Discard();
    Reset();
}

void CAviFile::Reset() {
    values_ = {};
    legacy_index_.clear();
    video_chunks_.clear();
    audio_chunks_.clear();
    riff_count_ = 0;
}

// Ends the current RIFF. When an extension follows or has come before, its standard indexes
// close its 'movi' list; the first RIFF ends with the legacy index, and its sizes go into the
// header, which Close writes again.
bool CAviFile::CloseRiff(bool extended) {
    if (extended && !(WriteStandardIndex(true) && WriteStandardIndex(false))) {
        return false;
    }
    const auto movi_size =
        static_cast<std::uint32_t>(file_.Position() - movi_start_ - kChunkHeaderSize);
    if (riff_count_ == 1) {
        values_.movi_size = movi_size;
        values_.riff_frames = values_.video.length;
        if (!WriteLegacyIndex()) {
            return false;
        }
        values_.riff_size = static_cast<std::uint32_t>(file_.Position() - kChunkHeaderSize);
        return true;
    }
    const auto riff_size =
        static_cast<std::uint32_t>(file_.Position() - riff_start_ - kChunkHeaderSize);
    return file_.WriteAt(movi_start_ + 4, Number32(movi_size)) &&
           file_.WriteAt(riff_start_ + 4, Number32(riff_size));
}

bool CAviFile::WriteStandardIndex(bool video) {
    const std::vector<AviChunkRef>& chunks = video ? video_chunks_ : audio_chunks_;
    if (chunks.empty()) {
        return true;
    }
    AviStreamTotals& totals = video ? values_.video : values_.audio;
    if (totals.super_index.size() >= kAviSuperIndexSlots) {
        return Fail("cannot write " + file_.Path() + ": the clip is too large for its index");
    }
    const std::vector<std::uint8_t> index = BuildStandardIndex(
        video ? kAviVideoIndexId : kAviAudioIndexId, video ? kAviVideoChunkId : kAviAudioChunkId,
        static_cast<std::uint64_t>(riff_start_), chunks);
    totals.super_index.push_back({static_cast<std::uint64_t>(file_.Position()),
                                  static_cast<std::uint32_t>(index.size()),
                                  video ? video_duration_ : audio_duration_});
    return file_.Write(index);
}

bool CAviFile::WriteLegacyIndex() {
    RiffBytes out;
    const std::size_t idx1 = out.Begin("idx1");
    for (const LegacyEntry& entry : legacy_index_) {
        out.FourCc(entry.video ? kAviVideoChunkId : kAviAudioChunkId);
        out.U32(kAviKeyFrameFlag);
        out.U32(entry.offset);
        out.U32(entry.size);
    }
    out.End(idx1);
    return file_.Write(out.Result());
}

bool CAviFile::StartExtension() {
    riff_start_ = file_.Position();
    movi_start_ = riff_start_ + 12;
    ++riff_count_;
    video_chunks_.clear();
    audio_chunks_.clear();
    video_duration_ = audio_duration_ = 0;
    RiffBytes out;
    out.FourCc("RIFF");
    out.U32(0);
    out.FourCc("AVIX");
    out.FourCc("LIST");
    out.U32(0);
    out.FourCc("movi");
    return file_.Write(out.Result());
}

bool CAviFile::Fail(std::string reason) {
    if (error_.empty() && file_.Error().empty()) {
        error_ = std::move(reason);
    }
    return false;
}

} // namespace korvex
