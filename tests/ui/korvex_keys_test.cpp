// The program's keys in the real main window on a generated card: each key does what its
// button or slider does, in each window of the program, and nothing where text is typed or in
// a dialog of its own.
#include "main_window_rig.h"
#include "playback/panel_commands.h"
#include "playback/ts_chn.h"
#include "positioning/qt/map_view.h"
#include "stream/recording_lookup.h"
#include "ui/dev_show_dlg.h"
#include "ui/korvex_dlg.h"
#include "ui/play_ctrl_dlg.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest/QTest>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;
using Slider = CPlayCtrlDlg::SliderTag;

// What the window shows just before a key.
struct Before {
    bool paused;
    int position;
    int speed;
    int volume;
    int number; // of the recording being read
    QImage mute;
};

enum class Where { kMainWindow, kPanel, kVideoWindow, kFullScreenPicture, kMapWindow };

struct KeyCase {
    const char* what;
    int key;
    Where where;
    // True once the key's effect shows; it is checked at once, or, for what the reader takes
    // up on its own thread (a change of recording or of direction), until it shows.
    std::function<bool(CKorvexDlg&, const Before&)> done;
    bool waits;
};

QWidget& Receiver(CKorvexDlg& window, Where where) {
    switch (where) {
    case Where::kPanel:
        return window.Panel();
    case Where::kVideoWindow:
        return window.VideoWindow();
    case Where::kFullScreenPicture:
        return window.VideoWindow().Video();
    case Where::kMapWindow:
        return window.MapView();
    case Where::kMainWindow:
        break;
    }
    return window;
}

QImage MuteButton(CKorvexDlg& window) {
    return window.Panel().findChild<QAbstractButton*>("button1013")->grab().toImage();
}

Before Now(CKorvexDlg& window) {
    CPlayCtrlDlg& panel = window.Panel();
    const CTSChn* channel = panel.Channel();
    return {channel != nullptr && channel->State().IsPaused(),
            panel.SliderPosition(Slider::kPosition),
            panel.SliderPosition(Slider::kSpeed),
            panel.SliderPosition(Slider::kVolume),
            channel != nullptr ? NumberOf(channel->CurrentPath()) : -1,
            MuteButton(window)};
}

const PlayState& State(CKorvexDlg& window) {
    return window.Panel().Channel()->State();
}

bool Stepped(CKorvexDlg& window, int direction) {
    const int speed = State(window).Speed();
    return window.Panel().Channel()->Direction() == direction && !State(window).IsPaused() &&
           (speed == kSpeedStep || speed == kSpeedHeld);
}

bool Reads(CKorvexDlg& window, int number) {
    return NumberOf(window.Panel().Channel()->CurrentPath()) == number;
}

bool SeekedBy(CKorvexDlg& window, const Before& before, int milliseconds) {
    return window.Panel().SliderPosition(Slider::kPosition) ==
           PositionSliderAfter(before.position, milliseconds, 20000);
}

bool AtSpeed(CKorvexDlg& window, int position) {
    return window.Panel().SliderPosition(Slider::kSpeed) == position &&
           State(window).Speed() == SpeedStateAtSliderPosition(position) &&
           State(window).IsNormalSpeed() == (position == kSpeedSliderMiddle);
}

TEST(MainWindowKeys, EachKeyDoesWhatItsControlDoesInEveryWindow) {
    test::WindowRig rig(1);
    const std::unique_ptr<CKorvexDlg> window = rig.Open(test::ThreeRecordings().Recording(1));
    CPlayCtrlDlg& panel = window->Panel();
    ASSERT_NE(panel.Channel(), nullptr);
    const int second = test::ThreeRecordings().Written(1).number;
    test::AwaitPictureOf(*window, second);
    const fs::path shots = rig.dir_ / "Capture";
    window->MapCommand(); // shown already: pops out
    ASSERT_TRUE(window->MapView().IsPoppedOut());

    const KeyCase cases[] = {
        {"Space pauses", Qt::Key_Space, Where::kMainWindow,
         [](CKorvexDlg& w, const Before&) { return State(w).IsPaused(); }, false},
        {"Space resumes", Qt::Key_Space, Where::kMapWindow,
         [](CKorvexDlg& w, const Before&) { return !State(w).IsPaused(); }, false},
        {"Page Down: the next recording", Qt::Key_PageDown, Where::kVideoWindow,
         [](CKorvexDlg& w, const Before& b) { return Reads(w, b.number + 1); }, true},
        {"Page Up: the previous one", Qt::Key_PageUp, Where::kMainWindow,
         [](CKorvexDlg& w, const Before& b) { return Reads(w, b.number - 1); }, true},
        {"Right: 5 s on", Qt::Key_Right, Where::kMainWindow,
         [](CKorvexDlg& w, const Before& b) { return SeekedBy(w, b, 5000); }, false},
        {"Left: 5 s back", Qt::Key_Left, Where::kPanel,
         [](CKorvexDlg& w, const Before& b) { return SeekedBy(w, b, -5000); }, false},
        {"Down: 60 s back, here the start", Qt::Key_Down, Where::kMainWindow,
         [](CKorvexDlg& w, const Before& b) { return SeekedBy(w, b, -60000); }, false},
        {"Up: 60 s on, here the end", Qt::Key_Up, Where::kVideoWindow,
         [](CKorvexDlg& w, const Before& b) { return SeekedBy(w, b, 60000); }, false},
        {"[: slower", Qt::Key_BracketLeft, Where::kMainWindow,
         [](CKorvexDlg& w, const Before&) { return AtSpeed(w, 3); }, false},
        {"]: faster", Qt::Key_BracketRight, Where::kPanel,
         [](CKorvexDlg& w, const Before&) { return AtSpeed(w, 4); }, false},
        {"]: faster again", Qt::Key_BracketRight, Where::kMainWindow,
         [](CKorvexDlg& w, const Before&) { return AtSpeed(w, 5); }, false},
        {"Backspace: normal speed", Qt::Key_Backspace, Where::kMainWindow,
         [](CKorvexDlg& w, const Before&) { return AtSpeed(w, kSpeedSliderMiddle); }, false},
        {"9: softer", Qt::Key_9, Where::kMainWindow,
         [](CKorvexDlg& w, const Before& b) {
             return w.Panel().SliderPosition(Slider::kVolume) == b.volume + 1;
         },
         false},
        {"0: louder", Qt::Key_0, Where::kPanel,
         [](CKorvexDlg& w, const Before& b) {
             return w.Panel().SliderPosition(Slider::kVolume) == b.volume - 1;
         },
         false},
        {"i: mark in", Qt::Key_I, Where::kMainWindow,
         [](CKorvexDlg& w, const Before&) { return w.Panel().Channel()->Marks().in.position >= 0; },
         false},
        {"o: mark out", Qt::Key_O, Where::kMainWindow,
         [](CKorvexDlg& w, const Before&) {
             return w.Panel().Channel()->Marks().out.position >= 0;
         },
         false},
        {"s: a snapshot", Qt::Key_S, Where::kVideoWindow,
         [&shots](CKorvexDlg&, const Before&) { return fs::exists(shots) && !fs::is_empty(shots); },
         true},
        {"m: mute", Qt::Key_M, Where::kMainWindow,
         [](CKorvexDlg& w, const Before& b) { return MuteButton(w) != b.mute; }, false},
        {"m: sound again", Qt::Key_M, Where::kMainWindow,
         [](CKorvexDlg& w, const Before& b) { return MuteButton(w) != b.mute; }, false},
        {"f: the picture in full screen", Qt::Key_F, Where::kVideoWindow,
         [](CKorvexDlg& w, const Before&) {
             return w.VideoWindow().IsFullScreen() && w.isVisible();
         },
         false},
        {"f: out of it", Qt::Key_F, Where::kFullScreenPicture,
         [](CKorvexDlg& w, const Before&) {
             return !w.VideoWindow().IsFullScreen() && w.VideoWindow().IsPoppedOut();
         },
         false},
        {".: the next picture", Qt::Key_Period, Where::kVideoWindow,
         [](CKorvexDlg& w, const Before&) { return Stepped(w, kForward); }, false},
        {",: the previous picture", Qt::Key_Comma, Where::kMainWindow,
         [](CKorvexDlg& w, const Before&) { return Stepped(w, kBackward); }, true},
        {"[: slower before backward play", Qt::Key_BracketLeft, Where::kMapWindow,
         [](CKorvexDlg& w, const Before&) { return AtSpeed(w, 3); }, false},
        {"b: backward play", Qt::Key_B, Where::kPanel,
         [](CKorvexDlg& w, const Before&) {
             return w.Panel().Channel()->Direction() == kBackward &&
                    State(w).Speed() == kSpeedBackward &&
                    w.Panel().SliderPosition(Slider::kSpeed) == kSpeedSliderMiddle;
         },
         true},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Before before = Now(*window);
        QTest::keyClick(&Receiver(*window, c.where), static_cast<Qt::Key>(c.key));
        if (c.waits) {
            QTRY_VERIFY_WITH_TIMEOUT(c.done(*window, before), 20000);
        } else {
            EXPECT_TRUE(c.done(*window, before));
        }
    }
    window->VideoWindow().Dock();
    window->MapView().Dock();
}

// A key typed into a text field goes into the text, a dialog's keys are its own, and a key held
// with Ctrl is the desktop's: the recording plays on as it did.
TEST(MainWindowKeys, TextFieldsDialogsAndModifiedKeysKeepTheirKeys) {
    test::WindowRig rig(1);
    const std::unique_ptr<CKorvexDlg> window = rig.Open(test::ThreeRecordings().Recording(0));
    ASSERT_NE(window->Panel().Channel(), nullptr);
    test::AwaitPictureOf(*window, test::ThreeRecordings().Written(0).number);
    const auto unchanged = [&](const Before& before) {
        const Before now = Now(*window);
        return now.paused == before.paused && now.speed == before.speed &&
               now.volume == before.volume && now.mute == before.mute;
    };

    auto* field = new QLineEdit(window.get());
    field->show();
    field->setFocus();
    const Before typing = Now(*window);
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_BracketLeft, Qt::Key_9, Qt::Key_M}) {
        QTest::keyClick(field, key);
    }
    // The same keys as the window system delivers them: to the window, then its focused field.
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Period}) {
        QTest::keyClick(window->windowHandle(), key);
    }
    EXPECT_EQ(field->text(), " [9m .");
    EXPECT_TRUE(unchanged(typing));
    delete field;
    window->setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_Space);
    EXPECT_NE(Now(*window).paused, typing.paused) << "without the field, Space pauses";
    QTest::keyClick(window->windowHandle(), Qt::Key_Space);

    QDialog dialog(window.get());
    auto* button = new QPushButton(QStringLiteral("OK"), &dialog);
    dialog.show();
    button->setFocus();
    const Before in_dialog = Now(*window);
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_BracketRight, Qt::Key_0, Qt::Key_F1}) {
        QTest::keyClick(button, key);
    }
    EXPECT_TRUE(unchanged(in_dialog));
    EXPECT_TRUE(rig.prompts_.Messages().isEmpty());
    dialog.hide();

    const Before modified = Now(*window);
    QTest::keyClick(window.get(), Qt::Key_BracketLeft, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(unchanged(modified));
}

// With nothing open the keys that need a recording go on to the focused control, while the
// volume and the list of keys still work. The list is left as a picture for a person to read.
TEST(MainWindowKeys, WithoutARecordingTheListOfKeysAndTheVolumeStillWork) {
    test::WindowRig rig(1);
    const std::unique_ptr<CKorvexDlg> window = rig.Open();
    ASSERT_EQ(window->Panel().Channel(), nullptr);
    QTest::keyClick(window.get(), Qt::Key_Space);
    QTest::keyClick(window.get(), Qt::Key_Right);
    QTest::keyClick(window.get(), Qt::Key_F);
    EXPECT_FALSE(window->VideoWindow().IsPoppedOut());
    EXPECT_EQ(window->Panel().SliderPosition(Slider::kPosition), 0);

    QTest::keyClick(window.get(), Qt::Key_9);
    EXPECT_EQ(window->Panel().SliderPosition(Slider::kVolume), 1);
    QTest::keyClick(window.get(), Qt::Key_F1);
    QTest::keyClick(&window->Panel(), Qt::Key_Question, Qt::ShiftModifier);
    const QStringList shown = rig.prompts_.Messages();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], shown[1]);
    for (const char* text : {"Page Down", "NextFrame", "Volume Up", "Full Screen", "F1 / ?"}) {
        EXPECT_TRUE(shown[0].contains(QLatin1String(text))) << text;
    }

    // As the program shows it: a message box of its own look.
    QMessageBox box(QMessageBox::Information, QStringLiteral("Korvex"), shown[0], QMessageBox::Ok,
                    window.get());
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QString path = QStringLiteral(KORVEX_SCREENSHOT_FOLDER "/keys_list.png");
    EXPECT_TRUE(box.grab().save(path)) << path.toStdString();
}

} // namespace
} // namespace korvex
