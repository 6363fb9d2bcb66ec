// Damaged recordings are damaged exactly as asked, and an outside decoder still gets through.

#include "card_inspection.h"
#include "mkcard/card_writer.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace korvex::mkcard {
namespace {

constexpr size_t kPacket = 188;

class MkcardDamageTest : public testing::Test {
protected:
    void SetUp() override {
        options_.count = 4;
        options_.seconds = 2;
        options_.gop = 10;
        options_.damage.truncate = {1};
        options_.damage.truncate_fraction = 0.4;
        options_.damage.garbage = {2};
        options_.damage.garbage_every = 50;
        options_.damage.garbage_bytes = 61;
        options_.damage.transport_error = {3};
        options_.damage.error_every = 20;
        card_ = WriteCard(options_, dir_.path());
        bytes_.clear();
        for (const WrittenRecording& recording : card_.recordings) {
            bytes_.push_back(test::ReadFile(recording.path));
        }
    }

    uint8_t At(int file, size_t offset) const {
        return static_cast<uint8_t>(bytes_[static_cast<size_t>(file)][offset]);
    }

    test::TempDir dir_;
    CardOptions options_;
    WrittenCard card_;
    std::vector<std::string> bytes_;
};

TEST_F(MkcardDamageTest, TruncatedFileEndsInTheMiddleOfAPacket) {
    const WrittenRecording& cut = card_.recordings[1];
    EXPECT_TRUE(cut.truncated);
    EXPECT_EQ(bytes_[1].size(), cut.size);
    EXPECT_EQ(cut.size % kPacket, kPacket / 2);
    // The undamaged neighbour shows how long the file was.
    EXPECT_NEAR(static_cast<double>(cut.size), 0.4 * static_cast<double>(bytes_[0].size()),
                2.0 * kPacket);
    EXPECT_EQ(At(1, cut.size - kPacket / 2), 0x47);
    EXPECT_FALSE(card_.recordings[0].truncated);
    EXPECT_EQ(bytes_[0].size() % kPacket, 0u);
}

TEST_F(MkcardDamageTest, GarbageStandsBetweenPacketsAndHoldsNoSyncByte) {
    const std::string& file = bytes_[2];
    size_t at = 0;
    size_t packets = 0;
    while (at < file.size()) {
        ASSERT_EQ(At(2, at), 0x47) << "at " << at;
        at += kPacket;
        if (++packets % 50 == 0) {
            for (size_t i = 0; i < 61 && at + i < file.size(); ++i) {
                ASSERT_NE(At(2, at + i), 0x47) << "garbage at " << at + i;
            }
            at += 61;
        }
    }
    EXPECT_EQ(at, file.size());
    EXPECT_EQ(file.size(), packets * kPacket + packets / 50 * 61);
}

TEST_F(MkcardDamageTest, ErrorIndicatorIsOnEveryChosenElementaryPacketOnly) {
    const WrittenRecording& damaged = card_.recordings[3];
    const std::string& file = bytes_[3];
    ASSERT_EQ(file.size() % kPacket, 0u);
    size_t elementary = 0;
    std::vector<uint64_t> flagged;
    for (size_t at = 0; at < file.size(); at += kPacket) {
        const int pid = ((At(3, at + 1) & 0x1F) << 8) | At(3, at + 2);
        const bool error = (At(3, at + 1) & 0x80) != 0;
        if (pid == 0 || pid == 0x100) {
            EXPECT_FALSE(error) << "table packet at " << at;
            continue;
        }
        ++elementary;
        EXPECT_EQ(error, elementary % 20 == 0) << "at " << at;
        if (error) {
            flagged.push_back(at);
        }
    }
    EXPECT_EQ(flagged, damaged.error_packet_offsets);
    EXPECT_FALSE(flagged.empty());
    EXPECT_TRUE(card_.recordings[0].error_packet_offsets.empty());
}

TEST_F(MkcardDamageTest, FfmpegStillDecodesEveryDamagedFile) {
    for (const WrittenRecording& recording : card_.recordings) {
        const CommandResult decode =
            RunCommand("ffmpeg -nostdin -v quiet -i " + Quoted(recording.path) + " -f null -");
        EXPECT_EQ(decode.status, 0) << recording.path;
    }
}

} // namespace
} // namespace korvex::mkcard
