#include "camera/camera_settings_file.h"
#include "camera/card_setup.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

constexpr LocalMinute kNow{2026, 12, 10, 13, 45};

class CardSetupTest : public testing::Test {
protected:
    std::string Card(const std::string& name) {
        const auto folder = dir_ / name;
        std::filesystem::create_directories(folder);
        return folder.string();
    }
    void WriteSettings(const std::string& card, const CameraSettings& settings) {
        ASSERT_TRUE(WriteCameraSettings(std::filesystem::path(card) / "usrset.dat", settings));
    }

    test::TempDir dir_;
    CardSetup setup_;
};

TEST_F(CardSetupTest, FillingChoosesTheFirstCardAndChoosingAnotherReadsItsFile) {
    const std::string first = Card("first");
    const std::string second = Card("second");
    CameraSettings a;
    a.tvStandard = 1;
    CameraSettings b;
    b.capPeriod = 3;
    b.year = 2015;
    b.month = 6;
    b.day = 15;
    b.hour = 23;
    b.minute = 59;
    WriteSettings(first, a);
    WriteSettings(second, b);
    ASSERT_TRUE(setup_.Fill({first, second}, kNow));
    EXPECT_EQ(setup_.ChosenCard(), 0U);
    EXPECT_EQ(setup_.Settings(), a);
    EXPECT_FALSE(setup_.SetTime());
    setup_.ChooseCard(1);
    EXPECT_EQ(setup_.Settings(), b);
    EXPECT_TRUE(setup_.SetTime());
    EXPECT_EQ(setup_.Picker(), (LocalMinute{2015, 6, 15, 23, 59}));
}

TEST_F(CardSetupTest, SetOnACardWithoutAFileWritesTheDefaultsWithTheFillTime) {
    const std::string card = Card("card");
    ASSERT_TRUE(setup_.Fill({card}, kNow));
    EXPECT_FALSE(setup_.SetTime());
    EXPECT_EQ(setup_.Picker(), kKeepCameraClock);
    ASSERT_EQ(setup_.Save(), CardSetup::SaveResult::kSaved);
    CameraSettings expected;
    expected.year = 2026;
    expected.month = 12;
    expected.day = 10;
    expected.hour = 13;
    expected.minute = 45;
    CameraSettings written;
    ASSERT_TRUE(ReadCameraSettings(setup_.SettingsFile(), written));
    EXPECT_EQ(written, expected);
    CardSetup next;
    next.Fill({card}, kNow);
    EXPECT_TRUE(next.SetTime());
}

TEST_F(CardSetupTest, WithoutACardNothingIsWritten) {
    EXPECT_EQ(setup_.Save(), CardSetup::SaveResult::kNoCard); // before the lists are filled
    EXPECT_FALSE(setup_.Fill({}, kNow));
    EXPECT_EQ(setup_.Save(), CardSetup::SaveResult::kNoCard);
}

TEST_F(CardSetupTest, TickingAndClearingTheBoxWritesTheKeptClock) {
    const std::string card = Card("card");
    WriteSettings(card, CameraSettings{}); // 1980-01-01 00:00
    setup_.Fill({card}, kNow);
    EXPECT_FALSE(setup_.SetTime());
    setup_.SetSetTime(true, kNow);
    EXPECT_EQ(setup_.Picker(), kNow);
    setup_.SetSetTime(false, kNow);
    ASSERT_EQ(setup_.Save(), CardSetup::SaveResult::kSaved);
    CameraSettings written;
    ASSERT_TRUE(ReadCameraSettings(setup_.SettingsFile(), written));
    EXPECT_EQ(ClockOf(written), kKeepCameraClock);
}

TEST_F(CardSetupTest, AClockThatIsNoDateLoadsAsTheKeptClockWithTheOtherSettings) {
    const std::string card = Card("card");
    const LocalMinute invalid[] = {{2020, 13, 1, 0, 0}, {2020, 0, 1, 0, 0},  {2020, 1, 0, 0, 0},
                                   {2021, 2, 29, 0, 0}, {2020, 1, 1, 24, 0}, {2020, 1, 1, 0, 60}};
    for (const LocalMinute& clock : invalid) {
        CameraSettings stored;
        stored.effect = 2;
        stored.year = clock.year;
        stored.month = clock.month;
        stored.day = clock.day;
        stored.hour = clock.hour;
        stored.minute = clock.minute;
        WriteSettings(card, stored);
        setup_.Fill({card}, kNow);
        EXPECT_EQ(setup_.Settings().effect, 2U);
        EXPECT_FALSE(setup_.SetTime());
        EXPECT_EQ(setup_.Picker(), kKeepCameraClock);
        EXPECT_EQ(ClockOf(setup_.Settings()), kKeepCameraClock);
    }
    EXPECT_TRUE(IsValidClock({2020, 2, 29, 23, 59}));
}

TEST_F(CardSetupTest, ADamagedFileKeepsTheCurrentValues) {
    const std::string card = Card("card");
    test::WriteFile(std::filesystem::path(card) / "usrset.dat", "short");
    setup_.Fill({card}, kNow);
    setup_.Settings().mic = 0;
    setup_.ChooseCard(0);
    EXPECT_EQ(setup_.Settings().mic, 0U);
    setup_.RestoreDefaults(kNow);
    EXPECT_EQ(setup_.Settings().mic, 1U);
    EXPECT_EQ(ClockOf(setup_.Settings()), kNow);
}

} // namespace
} // namespace korvex
