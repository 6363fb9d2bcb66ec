// The video window under a private X server: docked in the main window, popped out by a double
// click, full screen by the next, and docked again when closed.
#include "ui/dev_show_dlg.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

class VideoWindow : public testing::Test {
protected:
    VideoWindow() {
        main_window_.resize(960, 600);
        video_->SetPosition(kDocked);
        video_->show();
        main_window_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main_window_));
    }
    void DoubleClick() { QTest::mouseDClick(&video_->Video(), Qt::LeftButton); }

    static constexpr QRect kDocked{205, 31, 751, 414};
    QWidget main_window_;
    CDevShowDlg* video_ = new CDevShowDlg(&main_window_);
};

TEST_F(VideoWindow, DockedItIsABlackChildAtItsRectangle) {
    EXPECT_FALSE(video_->isWindow());
    EXPECT_EQ(video_->geometry(), kDocked);
    EXPECT_EQ(video_->Video().geometry(), QRect(QPoint(0, 0), kDocked.size()));
    const QImage picture = video_->Video().grabFramebuffer();
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(Qt::black));

    const QRect moved(273, 31, 1002, 563);
    video_->SetPosition(moved);
    EXPECT_EQ(video_->geometry(), moved);
}

TEST_F(VideoWindow, DoubleClicksPopOutThenGoFullScreenAndClosingDocksAgain) {
    DoubleClick();
    ASSERT_TRUE(video_->IsPoppedOut());
    EXPECT_TRUE(video_->isWindow());
    EXPECT_TRUE(video_->isVisible());
    EXPECT_EQ(video_->size(), QSize(800, 470));
    EXPECT_EQ(video_->Video().size(), QSize(800, 470));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((video_->geometry().center() - screen.center()).manhattanLength(), 2);

    // Popped out, a new docked rectangle is kept for later and the window stays where it is.
    const QRect later(273, 31, 1002, 563);
    const QRect popped = video_->geometry();
    video_->SetPosition(later);
    EXPECT_EQ(video_->geometry(), popped);

    DoubleClick();
    EXPECT_TRUE(video_->IsFullScreen());
    EXPECT_TRUE(video_->Video().IsFullScreen());

    video_->close();
    EXPECT_FALSE(video_->Video().IsFullScreen());
    EXPECT_FALSE(video_->IsFullScreen());
    EXPECT_FALSE(video_->IsPoppedOut());
    EXPECT_FALSE(video_->isWindow());
    EXPECT_EQ(video_->parentWidget(), &main_window_);
    EXPECT_EQ(video_->geometry(), later);
    EXPECT_EQ(video_->Video().parentWidget(), video_);
    EXPECT_EQ(video_->Video().geometry(), QRect(QPoint(0, 0), later.size()));
    EXPECT_TRUE(video_->isVisible());
    EXPECT_TRUE(main_window_.isVisible());
}

TEST_F(VideoWindow, FullScreenLeftByADoubleClickReturnsToThePoppedOutWindow) {
    DoubleClick();
    DoubleClick();
    ASSERT_TRUE(video_->IsFullScreen());
    DoubleClick();
    EXPECT_FALSE(video_->IsFullScreen());
    EXPECT_TRUE(video_->IsPoppedOut());
    EXPECT_EQ(video_->Video().parentWidget(), video_);
    EXPECT_EQ(video_->Video().size(), QSize(800, 470));
}

} // namespace
} // namespace korvex
