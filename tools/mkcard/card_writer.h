#pragma once

// Writes camera-like sample cards: numbered transport-stream recordings in DCIM/<folder>/ with
// H.264 video, AAC audio and the GPS/G-sensor text stream, with file times, read-only flags and
// optional damage, as tests, the demo and the benchmarks need them.

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace korvex::mkcard {

// A stretch of one recording, in whole seconds from its start: [from, to).
struct SecondRange {
    int from = 0;
    int to = 0;
};

// Damage for robustness tests. Files are chosen by their index in the card (0 = first written).
struct DamageOptions {
    // Cut the file in the middle of a packet at about this fraction of its size.
    std::set<int> truncate;
    double truncate_fraction = 0.5;
    // Insert garbage_bytes bytes (never 0x47) after every garbage_every-th packet.
    std::set<int> garbage;
    int garbage_every = 100;
    int garbage_bytes = 61;
    // Set the transport error indicator on every error_every-th packet of the elementary streams
    // (the program tables are left intact).
    std::set<int> transport_error;
    int error_every = 97;
};

struct CardOptions {
    int count = 1;                 // recordings
    int seconds = 5;               // length of each recording
    std::map<int, int> seconds_of; // file index -> a different length
    int width = 320;               // picture size, even numbers
    int height = 180;
    int fps = 30;                            // pictures per second (30 or 60)
    int gop = 30;                            // pictures per group, an IDR picture first
    int first_number = 1;                    // number of the first recording
    std::string name_format = "REC_%04d.ts"; // printf format of a file name, one %d
    std::string media_folder = "100MEDIA";   // folder inside DCIM
    // Start of the first recording, local time "YYYY-MM-DD HH:MM:SS" (through TZ).
    std::string start_local_time = "2024-05-17 08:30:00";
    int gap = 0;                   // seconds between consecutive recordings
    std::map<int, int> gap_before; // file index -> seconds before it (overrides gap)
    std::set<int> read_only;       // file indexes without write permission
    std::set<int> no_gps;          // file indexes whose program table has no GPS stream
    std::map<int, std::vector<SecondRange>> no_fix; // file index -> stretches with status 'V'
    double tone_level = 0.25;       // peak of the sine tone, 0 (silence) to 1 (full scale)
    int tone_hz = 1000;             // frequency of the tone
    int audio_frames_per_pes = 1;   // ADTS frames in one audio PES
    int crf = 23;                   // x264 constant rate factor
    bool short_start_codes = false; // 00 00 01 before every NAL unit after a picture's first
    int nal_ref_idc = 0;            // 1-3: reference bits of every NAL unit that has some
    // 90 kHz time stamp of the first picture, audio frame and GPS text of every recording: near
    // 0 and far enough from it that the last picture's time stamp in whole seconds is the
    // recording's length. Time stamps wrap at 2^33.
    int64_t first_pts = 9000;
    bool usrset = true; // write the camera's settings file (its defaults) into OUT
    // As a camera writes it, for people to watch: no block code, the date, time and speed burned
    // into the bottom edge of the pictures, and a drive through town with turns and stops
    // instead of the gentle cruise.
    bool camera_look = false;
    DamageOptions damage;
};

// One GPS/G-sensor text as written, with the values it carries.
struct WrittenGpsText {
    std::string text;
    int64_t pts = 0;     // 90 kHz
    std::time_t utc = 0; // time in the sentence
    bool fix = false;    // status 'A'
    double latitude = 0; // signed degrees, as rounded in the text
    double longitude = 0;
    double speed_knots = 0;
    double course = 0;
    double x = 0, y = 0, z = 0; // G-sensor values as rounded in the text
};

struct WrittenRecording {
    std::filesystem::path path;
    int index = 0;  // position in the card
    int number = 0; // recording number in the name
    std::time_t start_time = 0;
    std::time_t end_time = 0; // also the file's modification time
    bool read_only = false;
    bool has_gps = true;
    int width = 0;
    int height = 0;
    int pictures = 0;
    int fps = 0;
    int gop = 0;
    // 90 kHz, of the first and last picture (DTS equals PTS); not wrapped, while the file holds
    // them modulo 2^33. Picture i has first_pts + i * 90000 / fps.
    int64_t first_pts = 0;
    int64_t last_pts = 0;
    std::vector<uint64_t> picture_offsets; // byte offset of the first packet of each picture
    int audio_frames = 0;
    std::vector<WrittenGpsText> gps;
    uint64_t size = 0;                          // bytes in the file, after damage
    std::vector<uint64_t> error_packet_offsets; // packets with the transport error indicator
    bool truncated = false;
};

struct WrittenCard {
    std::filesystem::path folder; // OUT/DCIM/<media_folder>
    std::filesystem::path usrset; // OUT/usrset.dat, or empty when not written
    std::vector<WrittenRecording> recordings;
};

// Checks the options; an empty text means they are usable.
std::string ValidateOptions(const CardOptions& options);

// A card of tiny pictures (96x64), quick to write and to decode: what most tests want.
CardOptions TinyCard(int count, int seconds, int gop);

// Writes the card below out (created if missing; other files there are left alone, so cards can
// be composed by several calls). Throws std::runtime_error on invalid options or I/O failure.
// Lowers libav's log level from info (the default) to warning, to keep encoder statistics quiet.
WrittenCard WriteCard(const CardOptions& options, const std::filesystem::path& out);

} // namespace korvex::mkcard
