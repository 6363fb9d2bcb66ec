// The main window and the application run under a private X server, with the real map page,
// video window and PulseAudio null sink, on a generated card in a fake mount table.
#include "controls/digi_static.h"
#include "controls/grid_ctrl.h"
#include "controls/month_cal_ctrl_ex.h"
#include "main_window_rig.h"
#include "playback/ts_chn.h"
#include "positioning/qt/map_view.h"
#include "shared_card.h"
#include "ui/dev_show_dlg.h"
#include "ui/korvex_dlg.h"
#include "ui/korvex_run.h"
#include "ui/panel_readouts.h"
#include "ui/play_ctrl_dlg.h"
#include "ui/recording_bars_view.h"

#include <QAbstractButton>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QtTest/QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;

using test::AwaitPictureOf;
using test::Card;
using test::WindowRig;

QRect At(const QPoint& corner, QSize size) {
    return {corner, size};
}

// The cells of the four bars, as the grids show them, that are not grey.
int ColouredCells(CKorvexDlg& window) {
    int coloured = 0;
    for (BarGrid bar :
         {BarGrid::kMinutes, BarGrid::kLateMinutes, BarGrid::kHours, BarGrid::kLateHours}) {
        const CGridCtrl& grid = window.Bars().Grid(bar);
        for (int column = 0; column < grid.ColumnCount(); ++column) {
            const CGridCtrl::Cell* cell = grid.CellAt(0, column);
            coloured += cell != nullptr && cell->background != QColor(104, 104, 104);
        }
    }
    return coloured;
}

TEST(MainWindow, EveryChildSitsAtItsPlaceInEachUiMode) {
    struct Case {
        int mode;
        QSize window;
        QRect logo, close, min, video, panel, map;
        QRect minutes, late_minutes, hours, late_hours, calendar; // null: hidden
    };
    const QSize button(28, 24);
    const Case cases[] = {
        {0,
         {960, 600},
         {340, 0, 474, 30},
         At({919, 2}, button),
         At({891, 2}, button),
         {205, 31, 751, 414},
         {0, 0, 203, 600},
         {695, 448, 261, 148},
         {236, 476, 247, 12},
         {236, 499, 247, 12},
         {249, 535, 233, 12},
         {249, 569, 233, 12},
         {496, 462, 191, 124}},
        {1,
         {1280, 800},
         {530, 0, 474, 30},
         At({1239, 2}, button),
         At({1211, 2}, button),
         {273, 31, 1002, 563},
         {0, 0, 271, 800},
         {924, 596, 350, 198},
         {314, 634, 328, 14},
         {314, 663, 328, 14},
         {331, 713, 311, 16},
         {331, 758, 311, 16},
         {664, 626, 247, 147}},
        {2,
         {1920, 1080},
         {875, 0, 474, 30},
         At({1879, 2}, button),
         At({1851, 2}, button),
         {315, 31, 1598, 898},
         {21, 280, 271, 800},
         {1322, 933, 593, 143},
         {373, 976, 658, 12},
         {},
         {392, 1025, 622, 16},
         {},
         {1059, 941, 253, 129}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "UI mode " << c.mode);
        WindowRig rig(c.mode);
        const std::unique_ptr<CKorvexDlg> window = rig.Open();
        EXPECT_EQ(window->size(), c.window);
        EXPECT_EQ(window->pos(), QPoint(0, 0));
        EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(window->windowTitle(), "RizOzaruz");
        EXPECT_FALSE(window->windowIcon().isNull());
        const auto* logo = window->findChild<QWidget*>("logo");
        ASSERT_NE(logo, nullptr);
        EXPECT_EQ(logo->geometry(), c.logo);
        EXPECT_EQ(window->findChild<QAbstractButton*>("closeButton")->geometry(), c.close);
        EXPECT_EQ(window->findChild<QAbstractButton*>("minButton")->geometry(), c.min);
        EXPECT_EQ(window->VideoWindow().geometry(), c.video);
        EXPECT_EQ(window->Panel().geometry(), c.panel);
        EXPECT_EQ(window->MapView().geometry(), c.map);
        const std::pair<BarGrid, QRect> bars[] = {{BarGrid::kMinutes, c.minutes},
                                                  {BarGrid::kLateMinutes, c.late_minutes},
                                                  {BarGrid::kHours, c.hours},
                                                  {BarGrid::kLateHours, c.late_hours}};
        for (const auto& [bar, place] : bars) {
            const CGridCtrl& grid = window->Bars().Grid(bar);
            if (place.isNull()) {
                EXPECT_TRUE(grid.isHidden()) << static_cast<int>(bar);
            } else {
                EXPECT_EQ(grid.geometry(), place) << static_cast<int>(bar);
            }
        }
        EXPECT_EQ(window->Bars().Calendar().geometry(), c.calendar);

        // No card, no path: nothing plays, nothing is said.
        EXPECT_EQ(window->Panel().Channel(), nullptr);
        EXPECT_FALSE(window->VideoWindow().isVisible());
        EXPECT_FALSE(window->MapView().isVisible());
        EXPECT_TRUE(rig.prompts_.shown.isEmpty());
    }
}

// A GPS record reaches the map view's parser first and then the panel's read-outs, and only
// while the record-ready flag says it belongs to the route being drawn.
TEST(MainWindow, GpsRecordsGoToTheMapThenThePanelWhileReady) {
    WindowRig rig(1);
    const std::unique_ptr<CKorvexDlg> window = rig.Open();
    const auto& gps = Card().Written(0).gps;
    const mkcard::WrittenGpsText& stale = gps.front();
    const mkcard::WrittenGpsText& fresh = gps.back();
    ASSERT_TRUE(stale.fix && fresh.fix);
    const auto* speed = window->Panel().findChild<CDigiStatic*>("speedReadout");
    ASSERT_NE(speed, nullptr);

    // Queued before a new route, which cleared the flag: nothing changes.
    rig.app_.GpsText().Store(stale.text);
    rig.app_.GpsText().ClearRecordReady();
    window->HandleMessage({kMessageGpsText, 0, 0});
    EXPECT_EQ(window->MapView().Record().latitude, 0);

    rig.app_.GpsText().Store(fresh.text);
    window->HandleMessage({kMessageGpsText, 0, 0});
    EXPECT_NEAR(window->MapView().Record().latitude, fresh.latitude, 1e-6);
    EXPECT_NEAR(window->MapView().Record().longitude, fresh.longitude, 1e-6);
    EXPECT_EQ(speed->Text().toStdString(),
              SpeedText(window->MapView().Record().speed, rig.app_.Settings().unit_of_speed))
        << "the read-out shows what the parser has just taken";
    EXPECT_NE(speed->Text(), "000");

    const int route = window->RouteCounter();
    window->HandleMessage({kMessageNewRoute, 0, 0});
    EXPECT_EQ(window->RouteCounter(), route + 1);
}

TEST(MainWindow, OfThreeDroppedFilesTheFirstPlays) {
    WindowRig rig(1);
    const std::unique_ptr<CKorvexDlg> window = rig.Open();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(Card().Recording(1))),
                   QUrl::fromLocalFile(QString::fromStdString(Card().Recording(0))),
                   QUrl::fromLocalFile(QString::fromStdString((rig.dir_ / "x.ts").string()))});
    const QPoint at(600, 300);
    QDragEnterEvent enter(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);

    ASSERT_NE(window->Panel().Channel(), nullptr);
    EXPECT_EQ(window->Panel().Channel()->SourcePath(), Card().Recording(1));
    EXPECT_TRUE(window->VideoWindow().isVisible());
    AwaitPictureOf(*window, Card().Written(1).number);

    QMimeData text;
    text.setText("not a file");
    QDragEnterEvent refused(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

// A dropped path that is no recording still gets a channel, but nothing on show suggests that
// anything plays: no route, grey bars, no day marked.
TEST(MainWindow, APathThatIsNoRecordingShowsNothingMisleading) {
    WindowRig rig(1);
    const std::unique_ptr<CKorvexDlg> window = rig.Open();
    const fs::path junk = rig.dir_ / "notes/FILE0001.ts";
    test::WriteFile(junk, std::string(64 * 1024, 'x'));
    window->Panel().OpenPath(junk.string(), nullptr);
    ASSERT_NE(window->Panel().Channel(), nullptr);
    QTest::qWait(1500); // the folder scan and the reader have long had their say
    EXPECT_EQ(ColouredCells(*window), 0);
    EXPECT_TRUE(window->Bars().Calendar().Marks().empty());
    EXPECT_EQ(window->MapView().Record().latitude, 0);
    EXPECT_EQ(window->MapView().Record().longitude, 0);
}

TEST(MainWindow, ACardInsertedWhileRunningIsOpened) {
    WindowRig rig(0);
    const std::unique_ptr<CKorvexDlg> window = rig.Open();
    ASSERT_EQ(window->Panel().Channel(), nullptr);
    rig.Mount(true);
    QTRY_VERIFY_WITH_TIMEOUT(window->Panel().Channel() != nullptr, 20000);
    EXPECT_EQ(fs::path(window->Panel().Channel()->SourcePath()).parent_path(),
              Card().Card().folder);
    AwaitPictureOf(*window, Card().Written(0).number);
    EXPECT_TRUE(rig.prompts_.shown.isEmpty());
}

// The program's whole run on a card: it plays at start, follows a seek with one new route,
// pauses and resumes on Space, closes nothing on Escape, stops, and saves its configuration when
// closed.
TEST(KorvexRun, PlaysTheCardSeeksPausesStopsAndSavesOnClose) {
    WindowRig rig(1);
    rig.Mount(true);
    const fs::path config = rig.app_.Settings().Locations().config_file;
    ASSERT_FALSE(fs::exists(config));
    bool drove = false;
    const int status = RunMainWindow(
        rig.Services(), rig.messages_, rig.arrivals_, {}, test::NoBus(), [&](CKorvexDlg& window) {
            [&] {
                ASSERT_NE(window.Panel().Channel(), nullptr);
                CTSChn& channel = *window.Panel().Channel();
                EXPECT_EQ(channel.SourcePath(), Card().Recording(0));
                EXPECT_TRUE(window.VideoWindow().isVisible());
                EXPECT_TRUE(window.MapView().isVisible());
                const int first = AwaitPictureOf(window, Card().Written(0).number);
                AwaitPictureOf(window, Card().Written(0).number, first); // it moves on
                QTRY_VERIFY_WITH_TIMEOUT(window.MapView().Record().latitude != 0, 20000);
                QTRY_VERIFY_WITH_TIMEOUT(ColouredCells(window) > 0, 20000);
                EXPECT_FALSE(window.Bars().Calendar().Marks().empty());

                const int route = window.RouteCounter();
                channel.Seek(500);
                QTRY_COMPARE_WITH_TIMEOUT(window.RouteCounter(), route + 1, 20000);
                const int seen = AwaitPictureOf(window, Card().Written(0).number);
                AwaitPictureOf(window, Card().Written(0).number, seen);
                EXPECT_EQ(window.RouteCounter(), route + 1) << "one seek, one new route";

                QTest::keyClick(&window, Qt::Key_Space);
                EXPECT_TRUE(channel.State().IsPaused());
                QTest::keyClick(&window.Panel(), Qt::Key_Space);
                EXPECT_FALSE(channel.State().IsPaused());

                window.MapCommand(); // shown already: pops out
                ASSERT_TRUE(window.MapView().IsPoppedOut());
                QTest::keyClick(&window.MapView(), Qt::Key_Escape);
                QTest::keyClick(&window, Qt::Key_Escape);
                EXPECT_TRUE(window.MapView().IsPoppedOut());
                EXPECT_TRUE(window.isVisible());
                window.MapView().Dock();

                QTest::mouseClick(window.Panel().findChild<QAbstractButton*>("button226"),
                                  Qt::LeftButton);
                EXPECT_EQ(window.Panel().Channel(), nullptr);
                EXPECT_FALSE(window.VideoWindow().isVisible());
                EXPECT_FALSE(window.MapView().isVisible());
                EXPECT_EQ(ColouredCells(window), 0) << "stopped: every cell grey";
                EXPECT_TRUE(window.Bars().Calendar().Marks().empty());
                drove = true;
            }();
            QTest::mouseClick(window.findChild<QAbstractButton*>("closeButton"), Qt::LeftButton);
        });
    EXPECT_TRUE(drove);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(fs::exists(config));
}

TEST(KorvexRun, TheCommandLinePathLosesItsQuotes) {
    struct Case {
        std::vector<const char*> arguments;
        std::string path;
    };
    const Case cases[] = {
        {{}, ""},
        {{"/media/u/CARD/DCIM/100MEDIA/FILE0001.ts"}, "/media/u/CARD/DCIM/100MEDIA/FILE0001.ts"},
        {{"\"/home/u/my drive.ts\""}, "/home/u/my drive.ts"},
        {{"\"/home/u/my", "drive.ts\""}, "/home/u/my drive.ts"},
    };
    for (const Case& c : cases) {
        std::vector<char*> arguments;
        for (const char* argument : c.arguments) {
            arguments.push_back(const_cast<char*>(argument));
        }
        EXPECT_EQ(CommandLinePath(arguments), c.path);
    }
}

// The main window playing the card in each UI mode, for a person to look at.
TEST(MainWindow, ScreenshotsPlayingACard) {
    for (int mode = 0; mode <= 2; ++mode) {
        SCOPED_TRACE(testing::Message() << "UI mode " << mode);
        WindowRig rig(mode);
        rig.Mount(true);
        const std::unique_ptr<CKorvexDlg> window = rig.Open();
        ASSERT_NE(window->Panel().Channel(), nullptr);
        const int first = AwaitPictureOf(*window, Card().Written(0).number);
        QTRY_VERIFY_WITH_TIMEOUT(window->MapView().Record().speed > 0, 20000);
        AwaitPictureOf(*window, Card().Written(0).number, first);
        const QString path =
            QStringLiteral(KORVEX_SCREENSHOT_FOLDER "/main_window_mode%1.png").arg(mode);
        EXPECT_TRUE(window->grab().save(path)) << path.toStdString();
    }
}

} // namespace
} // namespace korvex
