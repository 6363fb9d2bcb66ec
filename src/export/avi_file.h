#pragma once

#include "export/avi_header.h"
#include "export/output_file.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvex {

// Writes an AVI clip: one video stream of H.264 access units as they were cut from a recording
// (no re-encoding, every frame flagged as a key frame) and one stream of 16-bit mono PCM at
// 48 kHz, their chunks interleaved in the order they are written, with the legacy index. A clip
// that outgrows its first RIFF (1 GiB) goes on in RIFF 'AVIX' extensions and gets the OpenDML
// indexes, so that it stays readable at any size.
//
// One user, one thread (the clip export's worker).
class CAviFile {
public:
    static constexpr std::int64_t kRiffLimit = std::int64_t{1} << 30;

    // `riff_limit`: the most bytes one RIFF may take (smaller in tests).
    explicit CAviFile(std::int64_t riff_limit = kRiffLimit) : riff_limit_(riff_limit) {}
    ~CAviFile() { Close(); }
    CAviFile(const CAviFile&) = delete;
    CAviFile& operator=(const CAviFile&) = delete;

    // Begins the clip that is to replace the file at `path`: a clip of width x height pictures at
    // `frame_rate` pictures per second (> 0). Closes a clip open before. False when the file
    // cannot be created or the values cannot be stored; Error() tells why.
    bool Create(const std::string& path, int width, int height, int frame_rate);
    bool IsOpen() const { return file_.IsOpen(); }

    // The next video frame: one access unit in byte-stream form, start codes included.
    bool WriteVideo(std::span<const std::uint8_t> frame);
    // The next bytes.size() / 2 samples (an odd last byte is left out); no samples write nothing.
    bool WriteAudio(std::span<const std::uint8_t> pcm);

    // Completes the indexes and headers, closes the file and gives it its name (a file of that
    // name stays whole until then); the counters start again at 0. False, with the clip
    // dropped, when anything of it could not be written. Does nothing (true) when no clip is
    // open.
    bool Close();
    // Drops the clip; a file of its name is left as it was.
    void Discard();

    // The reason of the first failure ("cannot write PATH: No space left on device"); empty
    // when there was none.
    const std::string& Error() const { return error_.empty() ? file_.Error() : error_; }

    int VideoFrames() const { return static_cast<int>(values_.video.length); }
    std::int64_t AudioSamples() const { return values_.audio.length; }
    std::int64_t BytesWritten() const { return file_.Position(); }

private:
    struct LegacyEntry {
        bool video = true;
        std::uint32_t offset = 0; // of the chunk header, from the 'movi' type code
        std::uint32_t size = 0;
    };

    bool WriteChunk(bool video, std::span<const std::uint8_t> data);
    // Bytes the indexes of the current RIFF will take when it is closed.
    std::int64_t PendingIndexBytes() const;
    bool CloseRiff(bool extended);
    bool WriteStandardIndex(bool video);
    bool WriteLegacyIndex();
    bool StartExtension();
    bool Fail(std::string reason);
    void Reset();

    const std::int64_t riff_limit_;
    OutputFile file_;
    AviHeaderValues values_;
    int riff_count_ = 0;                    // RIFFs begun
    std::int64_t riff_start_ = 0;           // of the current RIFF chunk
    std::int64_t movi_start_ = 0;           // of the current 'movi' list chunk
    std::vector<LegacyEntry> legacy_index_; // chunks of the first RIFF
    std::vector<AviChunkRef> video_chunks_; // chunks of the current RIFF
    std::vector<AviChunkRef> audio_chunks_;
    std::uint32_t video_duration_ = 0; // frames and samples in the current RIFF
    std::uint32_t audio_duration_ = 0;
    std::string error_;
};

} // namespace korvex
