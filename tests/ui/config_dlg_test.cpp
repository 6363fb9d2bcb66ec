#include "recording_prompts.h"
#include "settings_fixture.h"
#include "translated_look.h"
#include "ui/config_dlg.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

const char* const kMiddleTooBig = "Screen Resolution is Less than 1280*800";
const char* const kLargeTooBig = "Screen Resolution is Less than 1920*1080";

// A dialog over settings loaded from a "Config.ini" of the test's own, on a screen of the given
// size.
class ConfigDialog : public ::testing::Test {
protected:
    void Open(std::string_view config, QSize screen = {1920, 1080}) {
        fixture_.WriteConfig(config);
        settings_ = fixture_.MakeSettings();
        settings_->LoadLanguage();
        settings_->Load(screen.width(), screen.height());
        dialog_ = std::make_unique<CConfigDlg>(*settings_, prompts_, screen);
    }
    template <typename T> T* Find(const char* name) {
        T* child = dialog_->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void Press(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    QStringList Items(const char* list) {
        QStringList items;
        QComboBox* box = Find<QComboBox>(list);
        for (int i = 0; i < box->count(); ++i) {
            items.push_back(box->itemText(i));
        }
        return items;
    }

    test::SettingsFixture fixture_;
    std::unique_ptr<CSettings> settings_;
    test::RecordingPrompts prompts_;
    std::unique_ptr<CConfigDlg> dialog_;
};

TEST_F(ConfigDialog, LowersAUiModeTheScreenCannotShow) {
    struct Case {
        QSize screen;
        int chosen;
        QStringList messages;
        QString shown;
    };
    const Case cases[] = {
        {{1366, 768}, 1, {kMiddleTooBig}, "960*600"}, {{1366, 768}, 2, {kMiddleTooBig}, "960*600"},
        {{1600, 900}, 2, {kLargeTooBig}, "1280*800"}, {{1600, 900}, 1, {}, "1280*800"},
        {{1920, 1080}, 2, {}, "1920*1080"},
    };
    for (const Case& c : cases) {
        prompts_.shown.clear();
        Open("[Config]\nUIMode=0\n", c.screen);
        Find<QComboBox>("uiMode")->setCurrentIndex(c.chosen);
        EXPECT_EQ(prompts_.Messages(), c.messages) << c.screen.width() << " " << c.chosen;
        EXPECT_EQ(Find<QComboBox>("uiMode")->currentText(), c.shown);
    }
}

TEST_F(ConfigDialog, OkWritesEverySettingAndAChangedUiModeOnlyForTheNextStart) {
    Open("[Config]\nUIMode=1\nm_contishoot=3\n");
    QSignalSpy applied(dialog_.get(), &CConfigDlg::settingsApplied);
    Find<QComboBox>("imageType")->setCurrentIndex(1);
    Find<QLineEdit>("continuousShooting")->setText("7");
    Find<QComboBox>("uiMode")->setCurrentIndex(2);
    Find<QComboBox>("soundAmplification")->setCurrentIndex(4);
    Find<QComboBox>("displayMode")->setCurrentIndex(1);
    Find<QComboBox>("unitOfSpeed")->setCurrentIndex(2);
    prompts_.folderAnswer = "/media/pictures/dashcam";
    Press("browse");
    Press("ok");

    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(applied.count(), 1);
    EXPECT_EQ(prompts_.shown.front().kind, "folder");
    EXPECT_EQ(prompts_.shown.front().text, "Select a folder...");
    EXPECT_EQ(prompts_.Messages(), QStringList{"UI has been modified, please restart the program"});
    EXPECT_EQ(settings_->snapshot_folder, "/media/pictures/dashcam");
    EXPECT_EQ(settings_->image_type, 1);
    EXPECT_EQ(settings_->continuous_shooting_count, 7);
    EXPECT_EQ(settings_->ui_mode_in_use, 1);
    EXPECT_EQ(settings_->ui_mode_chosen, 2);
    EXPECT_EQ(settings_->sound_amplification, 5);
    EXPECT_EQ(settings_->display_mode, 1);
    EXPECT_EQ(settings_->unit_of_speed, 2);
}

TEST_F(ConfigDialog, CancelChangesNothing) {
    Open("[Config]\nm_imagetype=1\nSnapshot Path=/old\n");
    Find<QComboBox>("imageType")->setCurrentIndex(0);
    Find<QLineEdit>("continuousShooting")->setText("9");
    prompts_.folderAnswer = "/new";
    Press("browse");
    Press("cancel");
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
    EXPECT_EQ(settings_->image_type, 1);
    EXPECT_EQ(settings_->snapshot_folder, "/old");
    EXPECT_EQ(settings_->continuous_shooting_count, 0);
}

TEST_F(ConfigDialog, ACancelledFolderPickerKeepsThePath) {
    Open("[Config]\nSnapshot Path=/old\n");
    Press("browse");
    EXPECT_EQ(Find<QLineEdit>("snapshotPath")->text(), "/old");
}

TEST_F(ConfigDialog, ACountOfZeroBecomesOneWithItsMessageOnce) {
    Open("[Config]\nm_contishoot=0\n");
    Press("ok");
    EXPECT_EQ(Find<QLineEdit>("continuousShooting")->text(), "1");
    EXPECT_EQ(settings_->continuous_shooting_count, 1);
    EXPECT_EQ(
        prompts_.Messages(),
        QStringList{"Value of continuous shooting must be more than 0, System already update it"});
}

TEST_F(ConfigDialog, ACountThatIsNoNumberKeepsTheDialogOpen) {
    Open("[Config]\nm_contishoot=4\n");
    Find<QLineEdit>("continuousShooting")->setText("four");
    QSignalSpy applied(dialog_.get(), &CConfigDlg::settingsApplied);
    Press("ok");
    EXPECT_EQ(applied.count(), 0);
    EXPECT_EQ(Find<QLineEdit>("continuousShooting")->text(), "4");
    EXPECT_EQ(prompts_.Messages(), QStringList{"Please enter an integer."});
}

TEST_F(ConfigDialog, StoredValuesOutsideTheListsShowNoSelectionAndOkStoresThem) {
    Open("[Config]\nm_dSoundAmplification=0\nUnitOfSpeed=7\n");
    EXPECT_EQ(Find<QComboBox>("soundAmplification")->currentIndex(), -1);
    EXPECT_EQ(Find<QComboBox>("unitOfSpeed")->currentIndex(), -1);
    Press("ok");
    EXPECT_EQ(settings_->sound_amplification, 0);
    EXPECT_EQ(settings_->unit_of_speed, -1);
}

TEST_F(ConfigDialog, ListsLanguagesWithFilesAndUsesTheChosenOneAtOnce) {
    fixture_.WriteLanguageFile("de_DE.ini", "[Language String]\nPlay=Abspielen\nOK=Gut\n");
    fixture_.WriteLanguageFile("fr_fr.ini", "[Language String]\nPlay=Jouer\n");
    Open("[Config]\nLanguage File=en_US\n");
    EXPECT_EQ(Items("language"), (QStringList{"English (English)", "German (Germany)"}));
    EXPECT_EQ(Find<QComboBox>("language")->currentText(), "English (English)");

    Find<QComboBox>("language")->setCurrentIndex(1);
    Press("ok");
    EXPECT_EQ(settings_->Translate("Play"), "Abspielen");
    EXPECT_NE(test::ReadFile(fixture_.ConfigFile()).find("Language File=de_DE"), std::string::npos);

    // Opened again, the dialog speaks the new language.
    CConfigDlg again(*settings_, prompts_, {1920, 1080});
    EXPECT_EQ(again.findChild<QPushButton*>("ok")->text(), "Gut");
}

TEST_F(ConfigDialog, LooksFinished) {
    Open("[Config]\nUIMode=1\nm_contishoot=2\n");
    dialog_->adjustSize();
    EXPECT_EQ(dialog_->findChild<QWidget*>("sidePicture")->size(), QSize(99, 374));
    const QImage picture = dialog_->grab().toImage();
    QDir().mkpath(KORVEX_SCREENSHOT_DIR);
    ASSERT_TRUE(picture.save(KORVEX_SCREENSHOT_DIR "/config_dialog.png"));
    EXPECT_GE(picture.width(), 300);
}

// The dialog in each shipped language, written for review: every text translated, none cut off.
TEST_F(ConfigDialog, SpeaksEachShippedLanguageWithNoTextCutOff) {
    test::InstallShippedLanguages(fixture_.ConfigFile().parent_path());
    for (std::string_view code : test::kShippedLanguages) {
        SCOPED_TRACE(std::string(code));
        Open(test::LanguageConfig(code));
        dialog_->show();
        EXPECT_NE(dialog_->windowTitle(), "Config");
        EXPECT_NE(Find<QPushButton>("browse")->text(), "Browse");
        EXPECT_EQ(test::ClippedTexts(*dialog_), QStringList());
        const QString path =
            QStringLiteral(KORVEX_SCREENSHOT_DIR "/config_dialog_%1.png").arg(code.data());
        ASSERT_TRUE(dialog_->grab().save(path)) << path.toStdString();
    }
}

} // namespace
} // namespace korvex
