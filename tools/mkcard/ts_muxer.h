#pragma once

// The card's transport-stream muxer: one program with H.264 video (which carries the PCR), AAC
// audio and, optionally, the GPS/G-sensor text stream. The program tables are written before
// every IDR picture (so at the start of the file too); each PES starts a packet, and a PES that
// ends inside a packet is padded with adaptation-field stuffing.

#include "mkcard/packet_file.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace korvex::mkcard {

constexpr uint16_t kProgramNumber = 1;
constexpr uint16_t kPmtPid = 0x0100;
constexpr uint16_t kVideoPid = 0x1011;
constexpr uint16_t kAudioPid = 0x1100;
constexpr uint16_t kGpsPid = 0x1200;
constexpr uint8_t kVideoStreamType = 0x1B;
constexpr uint8_t kAudioStreamType = 0x0F;
constexpr uint8_t kGpsStreamType = 0xA0;
// The PCR runs this far (90 kHz) behind the video decoding time.
constexpr int64_t kPcrLead = 9000;

class TsMuxer {
public:
    TsMuxer(PacketFile& out, bool with_gps);

    // Writes one access unit as one PES with PTS and DTS (equal: no B-pictures); returns the
    // offset of its first packet (the tables before an IDR picture come earlier).
    uint64_t WriteVideo(const std::vector<uint8_t>& access_unit, bool idr, int64_t pts);
    void WriteAudio(const std::vector<uint8_t>& adts_frames, int64_t pts);
    void WriteGps(const std::string& text, int64_t pts);

private:
    void WriteTables();
    void WriteSection(uint16_t pid, const std::vector<uint8_t>& section);
    void WritePes(uint16_t pid, const std::vector<uint8_t>& pes, const int64_t* pcr,
                  bool random_access);
    uint8_t NextContinuity(uint16_t pid);

    PacketFile& out_;
    bool with_gps_;
    std::vector<uint8_t> pat_;
    std::vector<uint8_t> pmt_;
    std::map<uint16_t, uint8_t> continuity_;
};

} // namespace korvex::mkcard
