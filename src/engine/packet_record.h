#pragma once

#include "app/gps_values.h"

#include <cstdint>
#include <optional>

namespace korvex {

// Packet types.
inline constexpr int kNoPacket = 0;
inline constexpr int kKeyPicture = 17;   // H.264 IDR access unit
inline constexpr int kOtherPicture = 18; // any other H.264 access unit
inline constexpr int kAudioFrame = 35;   // one AAC frame

// One demultiplexed packet, copied by value between the reader, the packet buffers and the
// workers; `data` points into the buffer's area, so the bytes themselves are never copied. The
// video worker reuses the record for its decoded pictures, `data` then pointing to a picture.
struct PacketRecord {
    std::uint8_t* data = nullptr;
    int size = 0;
    int type = kNoPacket;
    int frame_rate = 0;    // video: 30 or 60 pictures per second, 2 for key-picture-only play
    int speed = 0;         // video: the speed state when read (11 for 0), negative backward
    double time_stamp = 0; // video: seconds
    int position = 0;      // video: thousandths of the recording where it was read
    int recording = 0;     // video: the reader's number for that recording (0: none)
    // video: that recording's start, seconds since 1970 (UTC), as its list entry gives it
    std::int64_t recording_start = 0;
    // video: the fix of the last GPS text read before the picture in that recording, if it had one
    std::optional<GpsFix> fix;
    // video: the first picture queued since the buffer was emptied (a seek, a switch, a change
    // of direction), from which the decoder starts afresh
    bool after_flush = false;
};

// Where a picture was read: the reader's number for the recording and the thousandths there.
struct PacketOrigin {
    int recording = 0;
    int position = 0;
};

} // namespace korvex
