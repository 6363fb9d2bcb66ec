#include "app/settings.h"
#include "camera/camera_settings_file.h"
#include "camera/card_formatter.h"
#include "camera/card_setup.h"
#include "recording_prompts.h"
#include "stream/linux/mount_table_volumes.h"
#include "temp_dir.h"
#include "translated_look.h"
#include "ui/dlg_sd_set.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;

// Records what it was asked; formats nothing.
class RecordingFormatter final : public CardFormatter {
public:
    std::string unavailable;
    std::vector<std::string> formatted;
    std::string WhyUnavailable() override { return unavailable; }
    FormatResult Format(const std::string& mount_point) override {
        formatted.push_back(mount_point);
        return {false, "device is busy"};
    }
};

// Two memory cards in a fake mount table and sysfs, and the dialog over them.
class SdCardDialog : public testing::Test {
protected:
    SdCardDialog() {
        test::WriteFile(dir_ / "sys/block/sdb/removable", "1\n");
        test::WriteFile(dir_ / "sys/block/sdc/removable", "1\n");
        fs::create_directories(first_);
        fs::create_directories(second_);
        // The second card has a label, written as the device manager escapes a space.
        fs::create_directories(dir_ / "by-label");
        fs::create_symlink("../../sdc", dir_ / "by-label/CAM\\x20TWO");
        test::WriteFile(dir_ / "mountinfo", "22 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
                                            "30 22 8:17 / " +
                                                first_ +
                                                " rw - vfat /dev/sdb rw\n"
                                                "31 22 8:33 / " +
                                                second_ + " rw - vfat /dev/sdc rw\n");
    }

    std::unique_ptr<CDlgSDSet> Open() {
        return std::make_unique<CDlgSDSet>(SdCardServices{
            *settings_, volumes_, formatter_, prompts_, playing_, [this] { StopPlayback(); }});
    }
    void WaitForLists(CDlgSDSet& dialog) {
        QTRY_VERIFY_WITH_TIMEOUT(dialog.findChild<QComboBox*>("language")->count() > 0, 3000);
    }
    void Click(CDlgSDSet& dialog, const char* button) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    }
    void StopPlayback() {
        ++stops_;
        recording_there_when_stopped_ = fs::exists(playing_);
    }

    test::TempDir dir_;
    std::string first_ = (dir_ / "media/u/FIRST").string();
    std::string second_ = (dir_ / "media/u/SECOND").string();
    std::unique_ptr<CSettings> settings_ = std::make_unique<CSettings>(
        SettingsLocations{dir_ / "program", dir_ / "program/Config.ini", dir_ / "Capture", 1033});
    MountTableVolumes volumes_{(dir_ / "mountinfo").string(), (dir_ / "sys").string(),
                               (dir_ / "by-label").string()};
    RecordingFormatter formatter_;
    test::RecordingPrompts prompts_;
    std::string playing_;
    int stops_ = 0;
    bool recording_there_when_stopped_ = false;
};

TEST_F(SdCardDialog, ReadsTheFirstCardAndTheOneChosenAndSetWritesOnlyOnceFilled) {
    CameraSettings stored;
    stored.whiteBalance = 3;
    ASSERT_TRUE(WriteCameraSettings(fs::path(second_) / "usrset.dat", stored));
    auto dialog = Open();
    dialog->show();
    Click(*dialog, "set"); // the lists are not filled yet
    EXPECT_EQ(prompts_.Messages(), QStringList{"Record SD Card Not Find"});
    EXPECT_FALSE(fs::exists(fs::path(first_) / "usrset.dat"));
    WaitForLists(*dialog);
    auto* cards = dialog->findChild<QComboBox*>("cards");
    ASSERT_EQ(cards->count(), 2);
    EXPECT_EQ(cards->currentText().toStdString(), first_);
    EXPECT_EQ(cards->itemText(1).toStdString(), "CAM TWO (" + second_ + ")");
    EXPECT_EQ(dialog->findChild<QComboBox*>("whiteBalance")->currentIndex(), 0);
    EXPECT_EQ(dialog->findChild<QComboBox*>("timeZone")->currentText(), "8");
    cards->setCurrentIndex(1);
    emit cards->activated(1);
    EXPECT_EQ(dialog->findChild<QComboBox*>("whiteBalance")->currentText(), "FLUORESCENT");
    EXPECT_FALSE(dialog->findChild<QDateTimeEdit*>("picker")->isEnabled());

    const fs::path path = fs::path("docs") / "sd_card_dialog.png";
    fs::create_directories(path.parent_path());
    ASSERT_TRUE(dialog->grab().save(QString::fromStdString(path.string())));

    Click(*dialog, "set");
    EXPECT_EQ(prompts_.Messages().last(), "Save Success");
    CameraSettings written;
    ASSERT_TRUE(ReadCameraSettings(fs::path(second_) / "usrset.dat", written));
    EXPECT_EQ(written.whiteBalance, 3U);
    EXPECT_EQ(ClockOf(written), kKeepCameraClock); // as the file asked
}

TEST_F(SdCardDialog, ASetThatCannotWriteSaysSo) {
    // A folder where the settings file belongs: it cannot be replaced, even by root.
    fs::create_directories(fs::path(first_) / "usrset.dat");
    auto dialog = Open();
    WaitForLists(*dialog);
    Click(*dialog, "set");
    EXPECT_EQ(prompts_.Messages(), QStringList{"Save Error"});
    EXPECT_TRUE(fs::is_directory(fs::path(first_) / "usrset.dat"));
}

TEST_F(SdCardDialog, DefaultAnsweredNoChangesNothing) {
    CameraSettings stored;
    stored.effect = 2;
    ASSERT_TRUE(WriteCameraSettings(fs::path(first_) / "usrset.dat", stored));
    auto dialog = Open();
    WaitForLists(*dialog);
    prompts_.yesNoAnswer = false;
    Click(*dialog, "default");
    EXPECT_EQ(prompts_.Messages(), QStringList{"Are you sure to default the settings?"});
    EXPECT_EQ(dialog->findChild<QComboBox*>("effect")->currentText(), "CLASSIC");
}

TEST_F(SdCardDialog, ClearStopsPlaybackOfARecordingOnTheCardFirstAndEmptiesIt) {
    playing_ = test::WriteFile(fs::path(first_) / "DCIM/100MEDIA/REC_0001.ts", "x").string();
    test::WriteFile(fs::path(first_) / "usrset.dat", "x");
    auto dialog = Open();
    WaitForLists(*dialog);
    prompts_.yesNoAnswer = true;
    Click(*dialog, "clear");
    EXPECT_EQ(stops_, 1);
    EXPECT_TRUE(recording_there_when_stopped_);
    EXPECT_TRUE(fs::is_empty(first_));
    EXPECT_EQ(prompts_.Messages(), (QStringList{"Are you sure to Clear it?", "Clear Success"}));
}

TEST_F(SdCardDialog, AReadOnlyFolderMakesClearFail) {
    const fs::path locked = fs::path(first_) / "LOCKED";
    test::WriteFile(locked / "REC_0002.ts", "x");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    auto dialog = Open();
    WaitForLists(*dialog);
    prompts_.yesNoAnswer = true;
    Click(*dialog, "clear");
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(stops_, 0); // nothing of that card plays
    EXPECT_EQ(prompts_.Messages().last(),
              "Clear Fail\n1 entries could not be deleted, the first: " +
                  QString::fromStdString(locked.string()) + ": the folder is read-only");
}

TEST_F(SdCardDialog, FormatStopsPlaybackAndReportsTheServicesReason) {
    playing_ = test::WriteFile(fs::path(first_) / "REC_0001.ts", "x").string();
    auto dialog = Open();
    WaitForLists(*dialog);
    prompts_.yesNoAnswer = true;
    Click(*dialog, "format");
    EXPECT_EQ(stops_, 1);
    EXPECT_EQ(formatter_.formatted, std::vector<std::string>{first_});
    EXPECT_EQ(prompts_.Messages().last(), "Format Fail\ndevice is busy");
}

TEST_F(SdCardDialog, WithoutADiskServiceFormatOnlySaysSo) {
    playing_ = test::WriteFile(fs::path(first_) / "REC_0001.ts", "x").string();
    formatter_.unavailable = "no disk service";
    auto dialog = Open();
    WaitForLists(*dialog);
    prompts_.yesNoAnswer = true;
    Click(*dialog, "format");
    EXPECT_EQ(stops_, 0);
    EXPECT_TRUE(formatter_.formatted.empty());
    EXPECT_EQ(prompts_.Messages().last(), "Format Fail\nno disk service");
}

TEST_F(SdCardDialog, LooksFinished) {
    const auto dialog = Open();
    WaitForLists(*dialog);
    dialog->adjustSize();
    EXPECT_EQ(dialog->findChild<QWidget*>("sidePicture")->size(), QSize(99, 374));
    QDir().mkpath(KORVEX_SCREENSHOT_DIR);
    ASSERT_TRUE(dialog->grab().save(KORVEX_SCREENSHOT_DIR "/sd_card_dialog.png"));
}

// The dialog in each shipped language over a card, written for review: every text translated,
// none cut off.
TEST_F(SdCardDialog, SpeaksEachShippedLanguageWithNoTextCutOff) {
    test::InstallShippedLanguages(dir_ / "program");
    settings_->LoadLanguage();
    for (std::string_view code : test::kShippedLanguages) {
        SCOPED_TRACE(std::string(code));
        settings_->language_chosen = *LanguageIndexOfCode(code);
        ASSERT_FALSE(settings_->SaveLanguage());
        const auto dialog = Open();
        dialog->show();
        WaitForLists(*dialog);
        // The size it asks for, as a desktop's screen gives it; the test's screen is smaller.
        dialog->resize(dialog->sizeHint());
        EXPECT_NE(dialog->windowTitle(), "SD Card Setup");
        EXPECT_NE(dialog->findChild<QComboBox*>("whiteBalance")->itemText(0), "AUTO");
        EXPECT_EQ(test::ClippedTexts(*dialog), QStringList());
        const QString path =
            QStringLiteral(KORVEX_SCREENSHOT_DIR "/sd_card_dialog_%1.png").arg(code.data());
        ASSERT_TRUE(dialog->grab().save(path)) << path.toStdString();
    }
}

} // namespace
} // namespace korvex
