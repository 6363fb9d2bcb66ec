#include "mkcard/card_writer.h"
#include "stream/find_file_path.h"
#include "temp_dir.h"
#include "time_zone.h"
#include "ui/time_bars.h"

#include <gtest/gtest.h>
#include <numeric>

namespace korvex {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

// The channel's side: a real recording list of a generated card; the times it was asked to
// play at are kept.
class ListChannel final : public BarsChannel {
public:
    const std::vector<RecordingEntry>* Recordings() const override {
        return has_channel ? &list.Entries() : nullptr;
    }
    std::string PlayingPath() const override { return playing; }
    int PlayFileAt(std::int64_t time) override {
        asked.push_back(time);
        return 1;
    }

    CFindFilePath list;
    bool has_channel = true;
    std::string playing;
    std::vector<std::int64_t> asked;
};

TEST(TimeBarLayout, ColumnsAndWidthsByUiMode) {
    struct Case {
        BarGrid grid;
        int ui_mode;
        int columns;
        bool shown;
        int client_width;
    };
    const Case cases[] = {
        {BarGrid::kMinutes, 0, 30, true, 247},     {BarGrid::kLateMinutes, 1, 30, true, 328},
        {BarGrid::kHours, 0, 12, true, 233},       {BarGrid::kLateHours, 1, 12, true, 311},
        {BarGrid::kMinutes, 2, 60, true, 658},     {BarGrid::kHours, 2, 24, true, 622},
        {BarGrid::kLateMinutes, 2, 30, false, 10}, {BarGrid::kLateHours, 2, 12, false, 10},
    };
    for (const Case& c : cases) {
        const int grid = static_cast<int>(c.grid);
        EXPECT_EQ(ColumnCount(c.grid, c.ui_mode), c.columns) << grid;
        EXPECT_EQ(IsShown(c.grid, c.ui_mode), c.shown) << grid;
        const std::vector<int> widths = ColumnWidths(c.client_width, c.columns);
        ASSERT_EQ(widths.size(), static_cast<std::size_t>(c.columns));
        EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), c.client_width) << grid;
        const auto [narrow, wide] = std::minmax_element(widths.begin(), widths.end());
        EXPECT_LE(*wide - *narrow, 1) << grid;
    }
}

TEST(TimeBarLayout, LabelsEveryFifthMinute) {
    EXPECT_EQ(CellLabel(BarGrid::kMinutes, 0), "00");
    EXPECT_EQ(CellLabel(BarGrid::kMinutes, 55), "55");
    EXPECT_EQ(CellLabel(BarGrid::kMinutes, 7), "");
    EXPECT_EQ(CellLabel(BarGrid::kLateMinutes, 5), "35");
    EXPECT_EQ(CellLabel(BarGrid::kHours, 5), "");
    EXPECT_EQ(StateColour(0), (Rgb{104, 104, 104}));
    EXPECT_EQ(StateColour(1), (Rgb{0, 255, 0}));
    EXPECT_EQ(StateColour(2), (Rgb{0, 255, 0}));
    EXPECT_EQ(StateColour(3), (Rgb{255, 0, 0}));
    EXPECT_EQ(StateColour(7), (Rgb{255, 0, 0}));
}

// A card of three one-minute recordings from 08:30:00 local time in a half-hour zone, the
// second read-only, the third after a gap of three minutes.
class TimeBarsOnACard : public ::testing::Test {
protected:
    // One card for every test: writing it takes seconds.
    static void SetUpTestSuite() {
        zone_ = new test::ScopedTimeZone("Asia/Kolkata");
        dir_ = new test::TempDir;
        mkcard::CardOptions options = mkcard::TinyCard(3, 60, 30);
        options.start_local_time = "2024-05-17 08:30:00";
        options.read_only = {1};
        options.gap_before = {{2, 180}};
        card_ = new mkcard::WrittenCard(mkcard::WriteCard(options, dir_->path()));
    }
    static void TearDownTestSuite() {
        delete card_;
        delete dir_;
        delete zone_;
    }
    void SetUp() override {
        channel_.list.ScanSync(card_->recordings.front().path.string());
        channel_.playing = card_->recordings.front().path.string();
    }
    static CalendarDate Date(int y, unsigned m, unsigned d) {
        return CalendarDate{year{y}, month{m}, day{d}};
    }

    static inline test::ScopedTimeZone* zone_ = nullptr;
    static inline test::TempDir* dir_ = nullptr;
    static inline mkcard::WrittenCard* card_ = nullptr;
    ListChannel channel_;
    TimeBars bars_{Date(2026, 12, 10), channel_};
};

TEST_F(TimeBarsOnACard, ShowsThePlayingRecordingsDayWhenTheSelectedOneIsEmpty) {
    bars_.ListComplete();
    EXPECT_EQ(bars_.Calendar().SelectedDate(), Date(2024, 5, 17));
    EXPECT_EQ(bars_.Calendar().SelectedHour(), 8);
    EXPECT_EQ(bars_.DaysToMark(), std::set<CalendarDate>{Date(2024, 5, 17)});

    EXPECT_EQ(bars_.CellColour(BarGrid::kHours, 8), kReadOnlyColour);
    EXPECT_EQ(bars_.CellColour(BarGrid::kHours, 9), kNoRecordingColour);
    const Rgb expected[] = {kRecordingColour,   kReadOnlyColour,    kReadOnlyColour,
                            kNoRecordingColour, kNoRecordingColour, kRecordingColour,
                            kRecordingColour,   kNoRecordingColour};
    for (int m = 0; m < 8; ++m) {
        EXPECT_EQ(bars_.CellColour(BarGrid::kLateMinutes, m), expected[m]) << "minute " << 30 + m;
    }
}

TEST_F(TimeBarsOnACard, AColouredMinuteAsksForItsTimeAndAGreyOneDoesNothing) {
    bars_.ListComplete();
    EXPECT_EQ(bars_.MinuteClicked(BarGrid::kLateMinutes, 3), 0); // 08:33, grey
    EXPECT_EQ(bars_.MinuteClicked(BarGrid::kLateMinutes, -1), 0);
    EXPECT_TRUE(channel_.asked.empty());

    EXPECT_EQ(bars_.MinuteClicked(BarGrid::kLateMinutes, 5), 1); // 08:35, the third recording
    ASSERT_EQ(channel_.asked.size(), 1u);
    EXPECT_EQ(channel_.asked[0], test::UtcTime("2024-05-17 03:05:00"));
    EXPECT_EQ(bars_.Calendar().SelectedMinute(), 35);
    const mkcard::WrittenRecording& third = card_->recordings[2];
    EXPECT_GE(channel_.asked[0], third.start_time);
    EXPECT_LT(channel_.asked[0], third.end_time);
}

TEST_F(TimeBarsOnACard, AnHourWithoutRecordingsShowsGreyMinutesThatDoNothing) {
    bars_.ListComplete();
    EXPECT_FALSE(bars_.HourClicked(BarGrid::kLateHours, -1));
    ASSERT_TRUE(bars_.HourClicked(BarGrid::kLateHours, 2)); // 14:00
    EXPECT_EQ(bars_.Calendar().SelectedHour(), 14);
    for (int m = 0; m < 30; ++m) {
        EXPECT_EQ(bars_.CellColour(BarGrid::kMinutes, m), kNoRecordingColour);
        EXPECT_EQ(bars_.CellColour(BarGrid::kLateMinutes, m), kNoRecordingColour);
        EXPECT_EQ(bars_.MinuteClicked(BarGrid::kMinutes, m), 0);
    }
    EXPECT_TRUE(channel_.asked.empty());
}

TEST_F(TimeBarsOnACard, APickedDayStaysUntilTheNextListAndStopClearsEverything) {
    bars_.ListComplete();
    bars_.DateSelected(Date(2024, 5, 20));
    EXPECT_EQ(bars_.CellColour(BarGrid::kHours, 8), kNoRecordingColour);
    EXPECT_EQ(bars_.Calendar().SelectedDate(), Date(2024, 5, 20));

    bars_.ListComplete();
    EXPECT_EQ(bars_.Calendar().SelectedDate(), Date(2024, 5, 17));

    channel_.has_channel = false;
    bars_.Clear();
    EXPECT_TRUE(bars_.DaysToMark().empty());
    EXPECT_EQ(bars_.CellColour(BarGrid::kHours, 8), kNoRecordingColour);
    EXPECT_EQ(bars_.MinuteClicked(BarGrid::kLateMinutes, 0), 0);
}

} // namespace
} // namespace korvex
