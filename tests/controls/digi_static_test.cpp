#include "controls/digi_segments.h"
#include "controls/digi_static.h"
#include "widget_pixels.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace korvex {
namespace {

// The pixel at the middle of segment i's outline in character cell `cell`.
QPoint SegmentMiddle(const CDigiStatic& digits, int cell, int segment) {
    const QRectF area = digits.DrawingArea();
    const double scale = area.height() / kDigiCellHeight;
    const QPolygon outline = DigiSegmentOutline(segment);
    QPointF middle;
    for (const QPoint point : outline) {
        middle += QPointF(point) / outline.size();
    }
    return QPointF(area.left() + (cell * kDigiCellWidth + middle.x()) * scale,
                   area.top() + middle.y() * scale)
        .toPoint();
}

bool Lit(QRgb pixel) {
    return qGreen(pixel) > 200;
}

TEST(CDigiStatic, TenWithALeadingSpaceLightsOnlyItsSegments) {
    CDigiStatic digits;
    digits.resize(160, 50);
    digits.SetColours(QColor(24, 16, 16), QColor(0, 255, 0));
    digits.SetText(QStringLiteral(" 10"));
    ASSERT_EQ(digits.Characters(), (std::vector<std::uint16_t>{0x0000, 0x1800, 0x3F00}));
    const QImage image = test::Render(digits);
    for (int segment = 0; segment < kDigiSegmentCount; ++segment) {
        EXPECT_FALSE(Lit(image.pixel(SegmentMiddle(digits, 0, segment)))) << segment;
        const bool one_lit = segment == 11 || segment == 12;
        EXPECT_EQ(Lit(image.pixel(SegmentMiddle(digits, 1, segment))), one_lit) << segment;
    }
    EXPECT_TRUE(Lit(image.pixel(SegmentMiddle(digits, 2, 13))));
    EXPECT_FALSE(Lit(image.pixel(SegmentMiddle(digits, 2, 6))));
}

TEST(CDigiStatic, OtherCharactersTakeNoRoom) {
    EXPECT_EQ(DigiMasks(QStringLiteral("1,2.x-")),
              (std::vector<std::uint16_t>{0x1800, 0x36C0, 0x00C0}));
}

TEST(CDigiStatic, KeepAspectCentresWithEqualMargins) {
    CDigiStatic digits;
    digits.SetText(QStringLiteral("000"));
    digits.resize(2 * 3 * 49, 83);
    const QRectF area = digits.DrawingArea();
    EXPECT_DOUBLE_EQ(area.left(), 3 * 49 / 2.0);
    EXPECT_DOUBLE_EQ(digits.width() - area.right(), area.left());
    EXPECT_DOUBLE_EQ(area.top(), 0);
    ASSERT_TRUE(digits.ModifyDigiStyle(kDigiKeepAspect, 0));
    EXPECT_EQ(digits.DrawingArea(), QRectF(0, 0, 2 * 3 * 49, 83));
}

TEST(CDigiStatic, StyleBitsInBothHalvesAreRefused) {
    CDigiStatic digits;
    EXPECT_EQ(digits.Style(), 20U);
    EXPECT_FALSE(digits.ModifyDigiStyle(kDigiFourteen, kDigiFourteen));
    EXPECT_EQ(digits.Style(), 20U);
    EXPECT_TRUE(digits.ModifyDigiStyle(0, kDigiFourteen | kDigiKeepAspect));
    EXPECT_EQ(digits.Style(), 22U);
}

class CountingDigits : public CDigiStatic {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        CDigiStatic::paintEvent(event);
    }
};

TEST(CDigiStatic, TheSameTextAgainDoesNotRepaint) {
    CountingDigits digits;
    digits.resize(160, 50);
    digits.show();
    digits.SetText(QStringLiteral("188"));
    QApplication::processEvents();
    const int after_first = digits.paints;
    digits.SetText(QStringLiteral("188"));
    QApplication::processEvents();
    EXPECT_EQ(digits.paints, after_first);
    digits.SetText(QStringLiteral("189"));
    QApplication::processEvents();
    EXPECT_GT(digits.paints, after_first);
}

} // namespace
} // namespace korvex
