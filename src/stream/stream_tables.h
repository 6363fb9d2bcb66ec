#pragma once

#include "stream/ts_packet.h"

#include <cstdint>
#include <vector>

namespace korvex {

inline constexpr int kStreamTypeH264 = 0x1B;
inline constexpr int kStreamTypeAac = 0x0F;
inline constexpr int kStreamTypeGpsText = 0xA0;

struct ProgramEntry {
    int number = 0;  // 16 bits, never 0 here
    int pmt_pid = 0; // 13 bits
};

struct StreamEntry {
    int type = 0;        // 8 bits
    int pid = 0;         // 13 bits
    int info_length = 0; // 12 bits
};

// Learns the PIDs of the video, audio and GPS-text streams from the first program association
// table and the first program map table it is offered. Section CRCs, versions and section
// numbers are not checked; a section that runs past its packet's payload is ignored.
//
// One user, one thread.
class StreamTables {
public:
    // Offers a decoded packet until Ready(); it reads the tables it needs from it.
    void OfferToTables(const PacketHeader& header);

    bool Ready() const { return ready_; }
    // Makes the PIDs come back from the tables already read at the next packet offered.
    void ClearReady() { ready_ = false; }

    int VideoPid() const { return video_pid_; }
    int AudioPid() const { return audio_pid_; }
    int GpsPid() const { return gps_pid_; }

    const std::vector<ProgramEntry>& Programs() const { return programs_; }
    const std::vector<StreamEntry>& Streams() const { return streams_; }
    int PcrPid() const { return pcr_pid_; }

private:
    void ReadProgramAssociation(std::span<const std::uint8_t> section);
    void ReadProgramMap(std::span<const std::uint8_t> section);
    void AssignPids();

    std::vector<ProgramEntry> programs_;
    std::vector<StreamEntry> streams_;
    int pcr_pid_ = kNoPid;
    int video_pid_ = kNoPid;
    int audio_pid_ = kNoPid;
    int gps_pid_ = kNoPid;
    bool ready_ = false;
};

} // namespace korvex
