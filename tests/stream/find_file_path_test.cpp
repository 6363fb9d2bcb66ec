#include "mkcard/card_writer.h"
#include "recording_message_sink.h"
#include "stream/find_file_path.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

mkcard::CardOptions SmallCard(int count, int first_number) {
    mkcard::CardOptions options;
    options.count = count;
    options.first_number = first_number;
    options.seconds = 2;
    options.width = 96;
    options.height = 64;
    options.gop = 10;
    return options;
}

// Recordings 1, 2 and 10 (2 read-only), written in that order, and a file without a number.
class RecordingList : public ::testing::Test {
protected:
    void SetUp() override {
        mkcard::CardOptions first = SmallCard(2, 1);
        first.read_only = {1};
        for (mkcard::WrittenRecording& r : mkcard::WriteCard(first, dir_.path()).recordings) {
            written_.push_back(std::move(r));
        }
        mkcard::CardOptions tenth = SmallCard(1, 10);
        tenth.start_local_time = "2024-05-18 22:15:00";
        written_.push_back(mkcard::WriteCard(tenth, dir_.path()).recordings.front());
        folder_ = (dir_.path() / "DCIM/100MEDIA").string() + "/";
        test::WriteFile(folder_ + "notes.ts", "no stream");
    }

    void ExpectTheCard(const CFindFilePath& list) {
        ASSERT_EQ(list.Count(), 4);
        EXPECT_EQ(list.Entry(0).number, -1);
        EXPECT_EQ(list.Entry(0).path, folder_ + "notes.ts");
        EXPECT_EQ(list.Entry(0).start_time, list.Entry(0).end_time);
        for (int i = 1; i < 4; ++i) {
            const mkcard::WrittenRecording& want = written_[static_cast<std::size_t>(i - 1)];
            const RecordingEntry& got = list.Entry(i);
            EXPECT_EQ(got.number, want.number);
            EXPECT_EQ(got.path, folder_ + want.path.filename().string());
            EXPECT_EQ(got.end_time, want.end_time);
            EXPECT_EQ(got.start_time, want.end_time - want.last_pts / 90000);
            EXPECT_EQ(got.start_time, want.start_time);
            EXPECT_EQ(got.read_only, want.read_only ? 1 : 0);
        }
    }

    test::TempDir dir_;
    std::vector<mkcard::WrittenRecording> written_;
    std::string folder_;
};

TEST_F(RecordingList, ScanSyncListsTheFolderInNumericOrder) {
    CFindFilePath list;
    list.ScanSync(folder_ + "REC_0002.ts");
    ExpectTheCard(list);
}

TEST_F(RecordingList, ScanAsyncAnnouncesItsStartAndTheCompleteList) {
    test::RecordingMessageSink sink;
    CFindFilePath list(&sink);
    ASSERT_TRUE(list.ScanAsync(folder_ + "REC_0001.ts"));
    ASSERT_TRUE(sink.WaitUntil([](const auto& records) { return records.size() == 2; }));
    list.Stop();
    const auto records = sink.Records();
    EXPECT_EQ(records[0].message.id, kMessageScanStarted);
    EXPECT_EQ(records[1].message.id, kMessageListComplete);
    for (const auto& record : records) {
        EXPECT_EQ(record.target, MessageTarget::kPanel);
        EXPECT_FALSE(record.sent);
    }
    ExpectTheCard(list);
}

TEST_F(RecordingList, ScanAsyncOfAFileWithoutANumberListsNothing) {
    test::RecordingMessageSink sink;
    CFindFilePath list(&sink);
    ASSERT_TRUE(list.ScanAsync(folder_ + "notes.ts"));
    list.Stop();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(sink.Records().empty());
}

} // namespace
} // namespace korvex
