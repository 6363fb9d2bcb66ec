// A generated card as an outside judge (ffprobe, ffmpeg) and a transport-stream reader see it.

#include "camera/camera_settings_file.h"
#include "card_inspection.h"
#include "mkcard/card_writer.h"
#include "temp_dir.h"
#include "video/block_code.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace korvex::mkcard {
namespace {

// ffprobe's "flat" output as key -> value ("streams.stream.0.codec_name" -> "h264").
std::map<std::string, std::string> Probe(const std::filesystem::path& file) {
    const CommandResult probe = RunCommand(
        "ffprobe -v error -count_frames -show_streams -of flat " + Quoted(file) + " 2>&1");
    EXPECT_EQ(probe.status, 0) << probe.output;
    std::map<std::string, std::string> values;
    std::istringstream lines(probe.output);
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        std::string value = line.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        values[line.substr(0, equals)] = value;
    }
    return values;
}

// What the program tables and the PES packets of one file say, read packet by packet.
struct TsContent {
    int pat_count = 0;
    int pmt_count = 0;
    uint16_t pmt_pid = 0;
    uint16_t pcr_pid = 0;
    std::vector<std::pair<int, int>> pmt_entries; // stream type, PID
    std::map<int, std::vector<std::string>> pes;  // PID -> complete PES packets
    int pcr_packets = 0;
};

TsContent ReadTs(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.size() % 188, 0u);
    TsContent content;
    std::map<int, int> continuity;
    for (size_t at = 0; at + 188 <= bytes.size(); at += 188) {
        const auto* p = reinterpret_cast<const uint8_t*>(bytes.data() + at);
        EXPECT_EQ(p[0], 0x47) << "at " << at;
        const bool start = (p[1] & 0x40) != 0;
        const int pid = ((p[1] & 0x1F) << 8) | p[2];
        const int afc = (p[3] >> 4) & 3;
        const int counter = p[3] & 0x0F;
        if (continuity.count(pid) != 0) {
            EXPECT_EQ(counter, (continuity[pid] + 1) & 0x0F) << "PID " << pid << " at " << at;
        }
        continuity[pid] = counter;
        size_t payload = 4;
        if (afc == 3) {
            if (p[4] > 0 && (p[5] & 0x10) != 0) {
                ++content.pcr_packets;
                EXPECT_EQ(pid, 0x1011);
            }
            payload += 1 + p[4];
        }
        EXPECT_TRUE(afc == 1 || afc == 3);
        const std::string data(reinterpret_cast<const char*>(p) + payload, 188 - payload);
        if (pid == 0 || (pid == content.pmt_pid && pid != 0)) {
            EXPECT_TRUE(start);
            const auto* s = reinterpret_cast<const uint8_t*>(data.data()) + 1 + data[0];
            const int length = ((s[1] & 0x0F) << 8) | s[2];
            if (pid == 0) {
                ++content.pat_count;
                content.pmt_pid = static_cast<uint16_t>(((s[10] & 0x1F) << 8) | s[11]);
            } else {
                ++content.pmt_count;
                content.pcr_pid = static_cast<uint16_t>(((s[8] & 0x1F) << 8) | s[9]);
                content.pmt_entries.clear();
                for (int e = 12 + (((s[10] & 0x0F) << 8) | s[11]); e < length - 1;
                     e += 5 + (((s[e + 3] & 0x0F) << 8) | s[e + 4])) {
                    content.pmt_entries.emplace_back(s[e], ((s[e + 1] & 0x1F) << 8) | s[e + 2]);
                }
            }
            continue;
        }
        std::vector<std::string>& units = content.pes[pid];
        if (start) {
            units.emplace_back();
        }
        if (units.empty()) {
            ADD_FAILURE() << "PID " << pid << " continues a PES never started";
            continue;
        }
        units.back() += data;
    }
    return content;
}

int64_t Timestamp(const std::string& pes, size_t at) {
    const auto* b = reinterpret_cast<const uint8_t*>(pes.data()) + at;
    return (static_cast<int64_t>(b[0] & 0x0E) << 29) | (b[1] << 22) | ((b[2] & 0xFE) << 14) |
           (b[3] << 7) | (b[4] >> 1);
}

std::string PesPayload(const std::string& pes) {
    return pes.substr(9 + static_cast<uint8_t>(pes[8]));
}

// The checksum after '*' matches the XOR of the characters between '$' and '*'.
bool ChecksumRight(const std::string& text) {
    const size_t dollar = text.find('$');
    const size_t star = text.find('*', dollar);
    if (dollar == std::string::npos || star == std::string::npos || star + 3 != text.size()) {
        return false;
    }
    unsigned sum = 0;
    for (size_t i = dollar + 1; i < star; ++i) {
        sum ^= static_cast<unsigned char>(text[i]);
    }
    return std::strtoul(text.substr(star + 1).c_str(), nullptr, 16) == sum;
}

class MkcardCardTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "Asia/Taipei", 1);
        tzset();
        CardOptions options;
        options.count = 3;
        options.seconds = 3;
        options.gop = 10;
        options.start_local_time = "2024-05-17 08:30:00";
        options.gap_before = {{2, 7}};
        options.read_only = {1};
        options.no_gps = {2};
        options.no_fix = {{0, {{1, 2}}}};
        card_ = WriteCard(options, dir_.path());
        // A 60-picture-per-second recording beside them, as a second call adds it.
        CardOptions fast = options;
        fast.count = 1;
        fast.fps = 60;
        fast.gop = 30;
        fast.first_number = 9;
        fast.start_local_time = "2024-05-17 09:00:00";
        fast.read_only.clear();
        fast.no_gps.clear();
        fast.no_fix.clear();
        fast.gap_before.clear();
        card_.recordings.push_back(WriteCard(fast, dir_.path()).recordings.front());
    }

    test::TempDir dir_;
    WrittenCard card_;
};

TEST_F(MkcardCardTest, FfprobeSeesTheStreamsPicturesAndDurationAndFfmpegDecodesCleanly) {
    ASSERT_EQ(card_.recordings.size(), 4u);
    for (const WrittenRecording& recording : card_.recordings) {
        SCOPED_TRACE(recording.path.string());
        std::map<std::string, std::string> probe = Probe(recording.path);
        std::map<std::string, std::string> by_codec; // codec -> stream prefix
        for (int i = 0; i < 3; ++i) {
            const std::string prefix = "streams.stream." + std::to_string(i) + ".";
            by_codec[probe[prefix + "codec_name"]] = prefix;
        }
        ASSERT_EQ(by_codec.count("h264"), 1u);
        ASSERT_EQ(by_codec.count("aac"), 1u);
        const std::string video = by_codec["h264"];
        const std::string audio = by_codec["aac"];
        EXPECT_EQ(probe[video + "id"], "0x1011");
        EXPECT_EQ(probe[audio + "id"], "0x1100");
        EXPECT_EQ(std::stoi(probe[video + "nb_read_frames"]), recording.pictures);
        EXPECT_EQ(recording.pictures, 3 * recording.fps);
        EXPECT_EQ(probe[video + "r_frame_rate"], std::to_string(recording.fps) + "/1");
        EXPECT_NEAR(std::stod(probe[video + "duration"]), 3.0, 0.05);
        EXPECT_EQ(probe[audio + "sample_rate"], "48000");
        EXPECT_EQ(probe[audio + "channels"], "1");
        EXPECT_EQ(probe[audio + "profile"], "LC");
        EXPECT_EQ(probe[video + "has_b_frames"], "0");

        const CommandResult decode =
            RunCommand("ffmpeg -nostdin -v error -i " + Quoted(recording.path) + " -f null - 2>&1");
        EXPECT_EQ(decode.status, 0);
        EXPECT_EQ(decode.output, "");
    }
}

TEST_F(MkcardCardTest, EveryPictureDecodedByFfmpegShowsItsRecordingAndIndex) {
    for (const WrittenRecording& recording : card_.recordings) {
        SCOPED_TRACE(recording.path.string());
        const CommandResult decode =
            RunCommand("ffmpeg -nostdin -v error -i " + Quoted(recording.path) +
                       " -f rawvideo -pix_fmt gray -");
        ASSERT_EQ(decode.status, 0);
        const size_t picture_size = static_cast<size_t>(recording.width) * recording.height;
        ASSERT_EQ(decode.output.size(), picture_size * static_cast<size_t>(recording.pictures));
        for (int i = 0; i < recording.pictures; ++i) {
            const auto* luma =
                reinterpret_cast<const uint8_t*>(decode.output.data()) + picture_size * i;
            EXPECT_EQ(ReadBlockCodeLuma(luma, recording.width, recording.height, recording.width),
                      (BlockCode{recording.number, i}));
        }
    }
}

TEST_F(MkcardCardTest, TablesPidsAndTimeStampsAreWhatTheReaderExpects) {
    for (const WrittenRecording& recording : card_.recordings) {
        SCOPED_TRACE(recording.path.string());
        const TsContent ts = ReadTs(recording.path);
        std::vector<std::pair<int, int>> expected{{0x1B, 0x1011}, {0x0F, 0x1100}};
        if (recording.has_gps) {
            expected.emplace_back(0xA0, 0x1200);
        }
        EXPECT_EQ(ts.pmt_pid, 0x100);
        EXPECT_EQ(ts.pcr_pid, 0x1011);
        EXPECT_EQ(ts.pmt_entries, expected);
        // The tables come first and again before every IDR picture.
        const int groups = (recording.pictures + recording.gop - 1) / recording.gop;
        EXPECT_EQ(ts.pat_count, groups);
        EXPECT_EQ(ts.pmt_count, groups);
        EXPECT_EQ(ts.pes.count(0x1200), recording.has_gps ? 1u : 0u);

        // One picture per video PES, with PTS and DTS; the last time stamp in whole seconds is
        // the recording's length, which is how the length of a recording is read back.
        const std::vector<std::string>& video = ts.pes.at(0x1011);
        ASSERT_EQ(static_cast<int>(video.size()), recording.pictures);
        for (size_t i = 0; i < video.size(); ++i) {
            ASSERT_EQ(static_cast<uint8_t>(video[i][7]) >> 6, 3);
            EXPECT_EQ(Timestamp(video[i], 9),
                      recording.first_pts + int64_t(i) * 90000 / recording.fps);
            EXPECT_EQ(Timestamp(video[i], 14), Timestamp(video[i], 9));
            const std::string payload = PesPayload(video[i]);
            EXPECT_EQ(payload.substr(0, 6), std::string("\0\0\0\1\x09\xF0", 6));
            if (i % static_cast<size_t>(recording.gop) == 0) {
                EXPECT_EQ(payload.substr(6, 5), std::string("\0\0\0\1\x67", 5)) << "picture " << i;
            }
        }
        EXPECT_LT(recording.first_pts, 90000 / 2);
        EXPECT_EQ(recording.last_pts / 90000, 3);
        EXPECT_EQ(ts.pcr_packets, recording.pictures);
        EXPECT_EQ(recording.picture_offsets.size(), video.size());

        // Audio PES carry ADTS frames (AAC-LC, 48 kHz, mono) with a PTS each.
        for (const std::string& pes : ts.pes.at(0x1100)) {
            const std::string payload = PesPayload(pes);
            ASSERT_GE(payload.size(), 7u);
            EXPECT_EQ(static_cast<uint8_t>(payload[0]), 0xFF);
            EXPECT_EQ(static_cast<uint8_t>(payload[1]) & 0xF6, 0xF0);
            EXPECT_EQ(static_cast<uint8_t>(pes[7]) >> 6, 2);
        }
    }
}

TEST_F(MkcardCardTest, GpsTextsHaveRightChecksumsAndFollowTheRecordingTimes) {
    for (const WrittenRecording& recording : card_.recordings) {
        SCOPED_TRACE(recording.path.string());
        const TsContent ts = ReadTs(recording.path);
        if (!recording.has_gps) {
            EXPECT_TRUE(recording.gps.empty());
            continue;
        }
        const std::vector<std::string>& pes = ts.pes.at(0x1200);
        ASSERT_EQ(pes.size(), 3u);
        ASSERT_EQ(recording.gps.size(), 3u);
        for (size_t i = 0; i < pes.size(); ++i) {
            const std::string text = PesPayload(pes[i]);
            EXPECT_TRUE(ChecksumRight(text)) << text;
            EXPECT_EQ(text, recording.gps[i].text);
            EXPECT_EQ(Timestamp(pes[i], 9), recording.first_pts + int64_t(i) * 90000);
            EXPECT_EQ(text.substr(0, 2), "X:");
            EXPECT_NE(text.find(" Y:"), std::string::npos);
            EXPECT_NE(text.find(" Z:"), std::string::npos);
            // UTC time of the sentence: the recording's start plus the second.
            std::tm utc{};
            const std::time_t when = recording.start_time + static_cast<std::time_t>(i);
            gmtime_r(&when, &utc);
            char clock[32];
            std::strftime(clock, sizeof clock, "$GPRMC,%H%M%S.000,", &utc);
            EXPECT_NE(text.find(clock), std::string::npos) << text;
            const bool fix = !(recording.number == 1 && i == 1);
            EXPECT_EQ(recording.gps[i].fix, fix);
            EXPECT_NE(text.find(fix ? ",A," : ",V,"), std::string::npos) << text;
        }
    }
    // The drive starts at the map's default centre, in the first recording's first text.
    const WrittenGpsText& first = card_.recordings[0].gps[0];
    EXPECT_NE(first.text.find(",A,2404.6629,N,12031.7342,E,"), std::string::npos) << first.text;
    EXPECT_NE(first.text.find(",170524,,,A*"), std::string::npos) << first.text;
}

TEST_F(MkcardCardTest, FileTimesNamesAndReadOnlyFlags) {
    // 2024-05-17 08:30:00 in Taipei (UTC+8).
    const std::time_t start = 1715905800;
    const std::time_t starts[] = {start, start + 3, start + 6 + 7, start + 30 * 60};
    const char* names[] = {"REC_0001.ts", "REC_0002.ts", "REC_0003.ts", "REC_0009.ts"};
    for (size_t i = 0; i < card_.recordings.size(); ++i) {
        const WrittenRecording& recording = card_.recordings[i];
        SCOPED_TRACE(recording.path.string());
        EXPECT_EQ(recording.path, dir_.path() / "DCIM" / "100MEDIA" / names[i]);
        EXPECT_EQ(recording.start_time, starts[i]);
        EXPECT_EQ(recording.end_time, starts[i] + 3);
        struct stat info {};
        ASSERT_EQ(stat(recording.path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mtime, recording.end_time);
        EXPECT_EQ(static_cast<uint64_t>(info.st_size), recording.size);
        const bool read_only = i == 1;
        EXPECT_EQ(recording.read_only, read_only);
        EXPECT_EQ(info.st_mode & 0222, read_only ? 0u : static_cast<unsigned>(S_IWUSR));
    }
}

TEST_F(MkcardCardTest, CardRootHoldsTheCameraSettingsAtTheirDefaults) {
    EXPECT_EQ(card_.usrset, dir_.path() / "usrset.dat");
    CameraSettings read;
    read.language = 5;
    ASSERT_TRUE(ReadCameraSettings(card_.usrset, read));
    EXPECT_EQ(read, CameraSettings{});
    EXPECT_EQ(std::filesystem::file_size(card_.usrset), 16u);
}

TEST(MkcardTimeStampTest, LengthsOfTheirOwnAndTimeStampsThatWrapAt33Bits) {
    test::TempDir dir;
    CardOptions options;
    options.count = 2;
    options.seconds = 1;
    options.seconds_of = {{1, 2}};
    options.first_pts = (int64_t{1} << 33) - 45000; // wraps half a second in
    const WrittenCard card = WriteCard(options, dir.path());
    ASSERT_EQ(card.recordings.size(), 2u);
    EXPECT_EQ(card.recordings[0].pictures, 30);
    EXPECT_EQ(card.recordings[1].pictures, 60);
    EXPECT_EQ(card.recordings[1].start_time, card.recordings[0].end_time);
    EXPECT_EQ(card.recordings[1].end_time, card.recordings[1].start_time + 2);
    const TsContent ts = ReadTs(card.recordings[1].path);
    const std::vector<std::string>& video = ts.pes.at(0x1011);
    ASSERT_EQ(video.size(), 60u);
    EXPECT_EQ(Timestamp(video[0], 9), options.first_pts);
    EXPECT_EQ(Timestamp(video[59], 9), card.recordings[1].last_pts % (int64_t{1} << 33));
    EXPECT_EQ(Timestamp(video[15], 9), 0);
}

TEST_F(MkcardCardTest, SameOptionsGiveTheSameBytes) {
    test::TempDir again;
    CardOptions options;
    options.count = 1;
    options.seconds = 3;
    options.gop = 10;
    const WrittenCard card = WriteCard(options, again.path());
    const WrittenCard card2 = WriteCard(options, dir_.path() / "second");
    EXPECT_EQ(test::ReadFile(card.recordings[0].path), test::ReadFile(card2.recordings[0].path));
}

} // namespace
} // namespace korvex::mkcard
