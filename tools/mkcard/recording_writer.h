#pragma once

// Writes one recording: encodes its pictures, tone and GPS texts and muxes them in time order.

#include "mkcard/card_writer.h"
#include "mkcard/gps_drive.h"
#include "mkcard/packet_file.h"

namespace korvex::mkcard {

// Time stamp (90 kHz) of the first picture, audio frame and GPS text of every recording: near
// 0, and far enough from it that the last picture's time stamp, in whole seconds, is the
// recording's length.
constexpr int64_t kFirstPts = 9000;

struct RecordingPlan {
    std::filesystem::path path;
    int index = 0;
    int number = 0;
    std::time_t start_time = 0;
    bool has_gps = true;
    std::vector<SecondRange> no_fix;
    PacketDamage damage;
};

// Writes the file (times, permissions and truncation are the card writer's); drive advances by
// the recording's seconds.
WrittenRecording WriteRecording(const CardOptions& options, const RecordingPlan& plan,
                                GpsDrive& drive);

} // namespace korvex::mkcard
