#pragma once

// Writes one recording: encodes its pictures, tone and GPS texts and muxes them in time order.

#include "mkcard/card_writer.h"
#include "mkcard/gps_drive.h"
#include "mkcard/packet_file.h"

namespace korvex::mkcard {

struct RecordingPlan {
    std::filesystem::path path;
    int index = 0;
    int number = 0;
    std::time_t start_time = 0;
    int seconds = 0;
    int64_t first_pts = 0;
    bool has_gps = true;
    std::vector<SecondRange> no_fix;
    PacketDamage damage;
};

// Writes the file (times, permissions and truncation are the card writer's); drive advances by
// the recording's seconds.
WrittenRecording WriteRecording(const CardOptions& options, const RecordingPlan& plan,
                                Drive& drive);

} // namespace korvex::mkcard
