#include "controls/label.h"
#include "widget_pixels.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::CountColour;
using test::Render;

struct FlagsCase {
    unsigned style;
    const char* text;
    int flags;
};

TEST(LabelTextFlags, FollowTheStaticStyle) {
    const FlagsCase cases[] = {
        {kStaticLeft, "a", Qt::AlignLeft | Qt::TextWordWrap | Qt::AlignTop},
        {kStaticCentre, "a", Qt::AlignHCenter | Qt::TextWordWrap | Qt::AlignTop},
        {kStaticRight, "a", Qt::AlignRight | Qt::TextWordWrap | Qt::AlignTop},
        {kStaticLeftNoWordWrap, "a", Qt::AlignLeft | Qt::AlignTop},
        {0x3, "a", Qt::AlignLeft | Qt::TextWordWrap | Qt::AlignTop},
        {kStaticLeft, "a\tb", Qt::AlignLeft | Qt::TextWordWrap | Qt::AlignTop | Qt::TextExpandTabs},
        {kStaticCentre | kStaticCentreImage, "a",
         Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine},
        {kStaticCentre | kStaticCentreImage, "a\r\nb",
         Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LabelTextFlags(c.style, QString::fromLatin1(c.text)), c.flags)
            << "style " << c.style << " text " << c.text;
    }
}

TEST(LogicalFont, WindowsFacesBecomeTheInstalledSans) {
    LogicalFont grid_font;
    grid_font.height = -9;
    grid_font.weight = 500;
    grid_font.face_name = QStringLiteral("Aril");
    const QFont font = ToQFont(grid_font);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(font.pixelSize(), 9);
    EXPECT_EQ(font.weight(), QFont::Medium);

    LogicalFont cell_height;
    cell_height.height = 20;
    const QFont by_cell = ToQFont(cell_height);
    EXPECT_LE(QFontMetrics(by_cell).height(), 20);
    EXPECT_GE(QFontMetrics(by_cell).height(), 18);
}

// The SD-card dialog's headings: white bold text drawn straight onto the parent's background.
TEST(CLabel, TransparentHeadingDrawsOnlyItsText) {
    QWidget parent;
    parent.resize(200, 40);
    parent.setAutoFillBackground(true);
    QPalette red = parent.palette();
    red.setColor(QPalette::Window, Qt::red);
    parent.setPalette(red);
    CLabel label(&parent);
    label.setGeometry(0, 0, 200, 40);
    label.SetFontName(QStringLiteral("Arial"), 0)
        .SetFontSize(20)
        .SetTextColor(Qt::white)
        .SetTransparent(true)
        .SetFontBold(true)
        .SetText(QStringLiteral("Format"));
    EXPECT_EQ(label.FontDescription().weight, 700);
    EXPECT_EQ(label.FontDescription().height, 20);
    EXPECT_EQ(label.FontDescription().face_name, QStringLiteral("Arial"));

    const QImage image = Render(parent);
    const int white = CountColour(image, 0xffffff);
    EXPECT_GT(white, 50);
    EXPECT_GT(CountColour(image, 0xff0000), 200 * 40 - white * 3);
}

TEST(CLabel, OpaqueLabelFillsWithTheButtonFace) {
    CLabel label;
    label.resize(60, 20);
    label.SetText(QStringLiteral(" "));
    const QRgb face = label.palette().color(QPalette::Button).rgb();
    EXPECT_EQ(CountColour(Render(label), face), 60 * 20);
}

TEST(CLabel, LongNamesAreCutTo31Characters) {
    CLabel label;
    label.SetFontName(QString(40, QLatin1Char('x')), 0);
    EXPECT_EQ(label.FontDescription().face_name.size(), 31);
}

} // namespace
} // namespace korvex
