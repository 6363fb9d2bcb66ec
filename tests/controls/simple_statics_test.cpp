#include "controls/color_static.h"
#include "controls/dark_palette.h"
#include "controls/picture_static.h"
#include "controls/theme_colours.h"
#include "widget_pixels.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::CountColour;
using test::Render;

TEST(CColorStatic, IsABlackBar) {
    CColorStatic bar;
    bar.resize(244, 2);
    EXPECT_EQ(CountColour(Render(bar), 0x000000), 244 * 2);
}

TEST(CPictureStatic, StretchesItsPictureOverTheControl) {
    QImage two(2, 1, QImage::Format_RGB32);
    two.setPixel(0, 0, 0xffff0000);
    two.setPixel(1, 0, 0xff0000ff);
    CPictureStatic picture;
    picture.resize(52, 20);
    picture.SetImage(QPixmap::fromImage(two));
    const QImage image = Render(picture);
    EXPECT_EQ(image.pixel(2, 2), 0xffff0000);
    EXPECT_EQ(image.pixel(49, 17), 0xff0000ff);
}

TEST(CPictureStatic, UnreadableFileLeavesItEmptyAndReleaseIsReported) {
    QWidget parent;
    parent.resize(40, 20);
    parent.setAutoFillBackground(true);
    CPictureStatic picture(&parent);
    picture.resize(40, 20);
    EXPECT_FALSE(picture.SetImageFile(QStringLiteral("/nonexistent/unit.png")));
    const QRgb window = parent.palette().color(QPalette::Window).rgb();
    EXPECT_EQ(CountColour(Render(parent), window), 40 * 20);

    QSignalSpy released(&picture, &CPictureStatic::released);
    QTest::mouseClick(&picture, Qt::LeftButton);
    QTest::mouseClick(&picture, Qt::RightButton);
    EXPECT_EQ(released.count(), 1);
}

TEST(DarkPalette, UsesThePanelColours) {
    const QPalette palette = DarkPalette();
    EXPECT_EQ(palette.color(QPalette::Window).rgb(), theme::kFace);
    EXPECT_EQ(palette.color(QPalette::Base).rgb(), theme::kWindow);
    EXPECT_EQ(palette.color(QPalette::Button).rgb(), theme::kRaised);
    EXPECT_EQ(palette.color(QPalette::WindowText).rgb(), theme::kText);
    EXPECT_EQ(palette.color(QPalette::Highlight).rgb(), theme::kAccent);
    EXPECT_LT(palette.color(QPalette::Disabled, QPalette::Text).alphaF(), 0.5);
}

} // namespace
} // namespace korvex
