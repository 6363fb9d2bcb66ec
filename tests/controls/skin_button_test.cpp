#include "controls/skin_button.h"
#include "controls/skin_slider.h"
#include "widget_pixels.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

// A strip whose frame k is filled with kFrameColours[k].
constexpr QRgb kFrameColours[] = {0xff101010, 0xff202020, 0xff303030, 0xff404040, 0xff000000};

QPixmap Strip(int frames, int frame_width, int height) {
    QImage image(frames * frame_width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int k = 0; k < frames; ++k) {
        painter.fillRect(k * frame_width, 0, frame_width, height, QColor(kFrameColours[k]));
    }
    return QPixmap::fromImage(image);
}

TEST(CVxSkinButton, TakesTheSizeOfOneFrame) {
    CVxSkinButton button;
    button.SetSkin(Strip(4, 40, 20), 0, 0, 0, false, false);
    EXPECT_EQ(button.size(), QSize(40, 20));
    button.SetSkin(Strip(5, 40, 20), 0, 0, 0, true, false);
    EXPECT_EQ(button.size(), QSize(40, 20));
    button.SetSkin(Strip(4, 28, 24), 0, 0, 0, false, false);
    EXPECT_EQ(button.size(), QSize(28, 24));
}

TEST(CVxSkinButton, SkinArgumentRules) {
    CVxSkinButton button;
    const struct {
        int stretch, edge, margin;
        int want_stretch, want_edge, want_margin;
    } cases[] = {{0, 0, 0, 0, 0, 0},
                 {1, 1, 3, 1, 1, 3},
                 {5, 0x1FFFF, 0x8003, 2, -1, 0},
                 {0x8001, 0x10002, 2, 0, 2, 2}};
    for (const auto& c : cases) {
        button.SetSkin(Strip(4, 10, 10), c.stretch, c.edge, c.margin, false, false);
        EXPECT_EQ(button.Stretch(), c.want_stretch);
        EXPECT_EQ(button.Edge(), c.want_edge);
        EXPECT_EQ(button.FocusMargin(), c.want_margin);
    }
}

TEST(CVxSkinButton, ShowsTheFrameOfItsStateAndDisabledWins) {
    CVxSkinButton button;
    button.SetSkin(Strip(4, 40, 20), 0, 0, 0, false, false);
    EXPECT_EQ(test::Render(button).pixel(20, 10), kFrameColours[0]);
    button.setDown(true);
    EXPECT_EQ(test::Render(button).pixel(20, 10), kFrameColours[2]);
    button.setDown(false);
    button.setCheckable(true);
    button.setChecked(true);
    EXPECT_EQ(test::Render(button).pixel(20, 10), kFrameColours[2]);
    button.setEnabled(false);
    EXPECT_EQ(button.CurrentFrame(), CVxSkinButton::kDisabled);
    EXPECT_EQ(test::Render(button).pixel(20, 10), kFrameColours[3]);
}

class Slider : public testing::Test {
protected:
    void SetUp() override {
        slider_.SetSkin(Strip(4, 200, 18), 0, 0, 0, false, false);
        slider_.SetRange(0, 1000);
        slider_.SetTag(1);
    }
    CVxSkinSldButton slider_;
};

TEST_F(Slider, PressAndReleasePositionsWithOnlyTheUpperBound) {
    QSignalSpy pressed(&slider_, &CVxSkinSldButton::pressed);
    QSignalSpy released(&slider_, &CVxSkinSldButton::released);
    QTest::mousePress(&slider_, Qt::LeftButton, {}, QPoint(50, 9));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][0].toInt(), 1);
    EXPECT_EQ(pressed[0][1].toInt(), 250);
    QTest::mouseRelease(&slider_, Qt::LeftButton, {}, QPoint(250, 9));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released[0][1].toInt(), 1000);
    EXPECT_EQ(slider_.GetPos(), 1000);
    EXPECT_FALSE(slider_.IsDragging());
}

TEST_F(Slider, DraggingOutsideGivesNegativePositions) {
    QSignalSpy moved(&slider_, &CVxSkinSldButton::moved);
    QSignalSpy released(&slider_, &CVxSkinSldButton::released);
    QTest::mousePress(&slider_, Qt::LeftButton, {}, QPoint(50, 9));
    QMouseEvent drag(QEvent::MouseMove, QPointF(-20, 9), slider_.mapToGlobal(QPointF(-20, 9)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&slider_, &drag);
    QApplication::sendEvent(&slider_, &drag); // the same position again: no second report
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved[0][1].toInt(), -99); // -100 + 0.5, truncated towards zero
    QTest::mouseRelease(&slider_, Qt::LeftButton, {}, QPoint(-20, 9));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released[0][1].toInt(), -99);
}

TEST_F(Slider, ThumbIsOredOnAtItsRatio) {
    QImage thumb(10, 10, QImage::Format_RGB32);
    thumb.fill(0xff000000);
    thumb.setPixel(5, 5, 0xffc00000);
    slider_.SetThumb(QPixmap::fromImage(thumb));
    slider_.SetPos(500);
    EXPECT_EQ(slider_.ThumbRect(), QRect(95, 4, 10, 10));
    const QImage image = test::Render(slider_);
    EXPECT_EQ(image.pixel(100, 9), 0xffd01010); // 0xc00000 | 0x101010
    EXPECT_EQ(image.pixel(96, 5), kFrameColours[0]);
    slider_.SetPos(2000);
    EXPECT_EQ(slider_.ThumbRect().x(), 190);
}

} // namespace
} // namespace korvex
