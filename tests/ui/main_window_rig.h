#pragma once

// The main window's tests: what the program is given over a fake mount table, the card they
// share, and the wait for a picture of a recording in the video window.

#include "app/korvex_app.h"
#include "app/qt/qt_message_sink.h"
#include "audio/pulse/pulse_sound_driver.h"
#include "camera/card_formatter.h"
#include "recording_prompts.h"
#include "shared_card.h"
#include "stream/linux/mount_table_volumes.h"
#include "temp_dir.h"
#include "ui/dev_show_dlg.h"
#include "ui/korvex_dlg.h"
#include "video/block_code.h"

#include <QDBusConnection>
#include <QImage>
#include <QtTest/QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

namespace korvex::test {

class NoFormatter final : public CardFormatter {
public:
    std::string WhyUnavailable() override { return "no disk service in tests"; }
    FormatResult Format(const std::string&) override { return {false, "no disk service"}; }
};

// `count` recordings of `seconds` with their GPS drive.
inline mkcard::CardOptions Recordings(int count, int seconds) {
    mkcard::CardOptions options;
    options.count = count;
    options.seconds = seconds;
    options.gop = 15;
    return options;
}

// Two recordings of 4 s, written once for the whole program.
inline const SharedCard& Card() {
    static const SharedCard card(Recordings(2, 4));
    return card;
}

// Three recordings of 20 s, so that a step of 5 s is a quarter of one; written once as well.
inline const SharedCard& ThreeRecordings() {
    static const SharedCard card(Recordings(3, 20));
    return card;
}

// The card's mount point: the folder that holds its DCIM.
inline std::filesystem::path CardVolume() {
    return Card().Folder() / "card";
}

// What the program is given, over a fake mount table with one removable slot (sdb).
class WindowRig {
public:
    explicit WindowRig(int ui_mode) {
        WriteFile(dir_ / "sys/block/sdb/removable", "1\n");
        Mount(false);
        app_.Prepare(1920, 1080);
        app_.Settings().ui_mode_in_use = ui_mode;
    }
    void Mount(bool card) {
        std::string table = "22 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
        if (card) {
            table += "30 22 8:17 / " + CardVolume().string() + " rw - vfat /dev/sdb rw\n";
        }
        WriteFile(dir_ / "mountinfo.new", table);
        std::filesystem::rename(dir_ / "mountinfo.new", dir_ / "mountinfo");
    }
    PanelServices Services() {
        return {app_,     messages_,  prompts_,
                volumes_, formatter_, [] { return std::make_unique<pulse::PulseSoundDriver>(); },
                {}};
    }
    std::unique_ptr<CKorvexDlg> Open(std::string command_line = {}) {
        auto window =
            std::make_unique<CKorvexDlg>(Services(), messages_, arrivals_, std::move(command_line));
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    TempDir dir_;
    CKorvexApp app_{
        SettingsLocations{KORVEX_PROGRAM_FOLDER, dir_ / "Config.ini", dir_ / "Capture", 1033}};
    QtMessageSink messages_;
    RecordingPrompts prompts_;
    NoFormatter formatter_;
    MountTableVolumes volumes_{(dir_ / "mountinfo").string(), (dir_ / "sys").string()};
    MountTableVolumes arrivals_{(dir_ / "mountinfo").string(), (dir_ / "sys").string()};
};

// The block code of the picture the video window shows now, if one is readable.
inline std::optional<BlockCode> ShownCode(CKorvexDlg& window) {
    const QImage shown =
        window.VideoWindow().Video().grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    return ReadBlockCodeRgb32(shown.constBits(), shown.width(), shown.height(),
                              static_cast<int>(shown.bytesPerLine()));
}

// Waits until the video window shows a picture of the recording numbered `number` other than
// `after`; returns its index (-1 when none came).
inline int AwaitPictureOf(CKorvexDlg& window, int number, int after = -1) {
    int index = -1;
    const auto shown = [&] {
        const std::optional<BlockCode> code = ShownCode(window);
        if (code && code->number == number && code->index != after) {
            index = code->index;
        }
        return index >= 0;
    };
    [&] { QTRY_VERIFY_WITH_TIMEOUT(shown(), 20000); }();
    return index;
}

// A connection to no bus at all, for a run that is no media player.
inline QDBusConnection NoBus() {
    return QDBusConnection(QStringLiteral("no bus"));
}

} // namespace korvex::test
