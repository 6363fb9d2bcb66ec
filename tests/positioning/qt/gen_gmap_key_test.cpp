#include "app/settings.h"
#include "positioning/map_key_import.h"
#include "positioning/qt/gen_gmap_key.h"
#include "temp_dir.h"
#include "ui/recording_prompts.h"

#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace korvex {
namespace {

class MapKeyDialog : public testing::Test {
protected:
    MapKeyDialog() { setenv("XDG_CONFIG_HOME", user_.path().c_str(), 1); }

    // Types `key` and presses OK.
    void Import(const QString& key) {
        CGenGMapKey dialog(settings_, prompts_);
        dialog.KeyField()->setText(key);
        dialog.accept();
        closed_ = dialog.result() == QDialog::Accepted;
    }

    static std::string BuiltInPage() {
        QFile page(":/korvex/map/mapdlg.htm");
        EXPECT_TRUE(page.open(QIODevice::ReadOnly));
        return page.readAll().toStdString();
    }

    test::TempDir user_;
    test::TempDir config_;
    CSettings settings_{SettingsLocations{config_.path(), config_ / "Config.ini", "/tmp/", 1033}};
    test::RecordingPrompts prompts_;
    bool closed_ = false;
};

TEST_F(MapKeyDialog, WritesTheKeyedPageWhereTheMapViewLooksFirst) {
    const QString key(70, QChar('k'));
    Import(key);
    EXPECT_TRUE(closed_);
    EXPECT_EQ(prompts_.Messages(),
              QStringList{"Import Google Map key Successfully, please restart the program."});
    const std::string page = test::ReadFile(user_ / "korvex/map/mapdlg.htm");
    EXPECT_EQ(page, PageWithMapKey(BuiltInPage(), std::string(63, 'k')));
    EXPECT_NE(page.find("?key=" + std::string(63, 'k') + "&v=3."), std::string::npos);
}

TEST_F(MapKeyDialog, AnEmptyKeyAsksAgainAndWritesNothing) {
    Import("");
    EXPECT_FALSE(closed_);
    EXPECT_EQ(prompts_.Messages(), QStringList{"Please input Google Map Key."});
    EXPECT_FALSE(std::filesystem::exists(user_ / "korvex/map/mapdlg.htm"));
}

TEST_F(MapKeyDialog, AFolderThatCannotBeWrittenIsReported) {
    test::WriteFile(user_ / "korvex", "a file where the folder should be");
    Import("KEY");
    EXPECT_TRUE(closed_);
    EXPECT_EQ(prompts_.Messages(), QStringList{"Import Google Map key Fail."});
}

} // namespace
} // namespace korvex
