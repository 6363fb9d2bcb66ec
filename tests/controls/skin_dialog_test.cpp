#include "controls/skin_dialog.h"
#include "widget_pixels.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(FramePieces, SliceA100By60BackgroundOverA400By300Window) {
    const std::vector<FramePiece> pieces = FramePieces({100, 60}, {400, 300});
    ASSERT_EQ(pieces.size(), 8U);
    // Corners: 50 x 30, unscaled, one pixel in from the right and bottom.
    EXPECT_EQ(pieces[0].target, QRect(0, 0, 50, 30));
    EXPECT_EQ(pieces[1].source, QRect(50, 0, 50, 30));
    EXPECT_EQ(pieces[1].target, QRect(349, 0, 50, 30));
    EXPECT_EQ(pieces[2].target, QRect(0, 269, 50, 30));
    EXPECT_EQ(pieces[3].target, QRect(349, 269, 50, 30));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pieces[static_cast<size_t>(i)].source.size(), QSize(50, 30));
    }
    // Edges: a 10 px strip stretched to 300, a 6 px strip stretched to 240.
    EXPECT_EQ(pieces[4].source, QRect(50, 0, 10, 30));
    EXPECT_EQ(pieces[4].target, QRect(50, 0, 300, 30));
    EXPECT_EQ(pieces[5].target, QRect(50, 269, 300, 30));
    EXPECT_EQ(pieces[6].source, QRect(0, 30, 50, 6));
    EXPECT_EQ(pieces[6].target, QRect(0, 30, 50, 240));
    EXPECT_EQ(pieces[7].target, QRect(349, 30, 50, 240));
}

TEST(CVxSkinDialog, PaintsTheFrameAndLeavesTheInside) {
    QImage picture(100, 60, QImage::Format_RGB32);
    picture.fill(0xff00ff00);
    QPainter(&picture).fillRect(0, 0, 50, 30, QColor(0xff0000ff));
    CVxSkinDialog dialog;
    dialog.resize(400, 300);
    dialog.SetBackground(QPixmap::fromImage(picture));
    const QImage image = test::Render(dialog);
    EXPECT_EQ(image.pixel(10, 10), 0xff0000ff);
    EXPECT_EQ(image.pixel(200, 10), 0xff00ff00);
    EXPECT_EQ(image.pixel(398, 298), 0xff00ff00);
    EXPECT_EQ(image.pixel(200, 150), dialog.palette().color(QPalette::Window).rgb());
    EXPECT_TRUE(dialog.DragEnabled());
}

} // namespace
} // namespace korvex
