#include "controls/grid_ctrl.h"
#include "widget_pixels.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <numeric>

namespace korvex {
namespace {

using test::Render;

constexpr QRgb kGrey = 0x686868;
constexpr QRgb kGreen = 0x00ff00;
constexpr QRgb kRed = 0xff0000;

TEST(SpreadColumnWidths, AddUpToTheClientWidth) {
    const std::pair<int, int> bars[] = {{247, 30}, {328, 30}, {658, 60}, {233, 12},
                                        {311, 12}, {622, 24}, {7, 30}};
    for (const auto& [total, count] : bars) {
        const std::vector<int> widths = SpreadColumnWidths(total, count);
        ASSERT_EQ(static_cast<int>(widths.size()), count);
        EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), total) << total;
        for (const int width : widths) {
            EXPECT_GE(width, total / count);
            EXPECT_LE(width, total / count + 1);
        }
    }
    EXPECT_TRUE(SpreadColumnWidths(100, 0).empty());
}

// A minute bar as the calendar builds it: 30 cells over 247 pixels, every fifth labelled.
class MinuteBar : public testing::Test {
protected:
    void SetUp() override {
        grid_.resize(247, 12);
        ASSERT_TRUE(grid_.SetSize(1, 30));
        const std::vector<int> widths = SpreadColumnWidths(247, 30);
        LogicalFont font;
        font.height = -9;
        font.weight = 500;
        font.face_name = QStringLiteral("Aril");
        for (int c = 0; c < 30; ++c) {
            grid_.SetColumnWidth(c, widths[static_cast<size_t>(c)]);
            const QRgb colour = c < 10 ? kGrey : (c < 20 ? kGreen : kRed);
            grid_.SetCell(0, c, c % 5 == 0 ? QString::asprintf("%02d", c) : QString(),
                          QColor(colour), font);
        }
        grid_.SetRowHeight(0, 13);
    }
    CGridCtrl grid_;
};

TEST_F(MinuteBar, PaintsEachCellInItsColour) {
    const QImage image = Render(grid_);
    EXPECT_EQ(image.pixel(1, 1) & 0xffffff, kGrey);
    EXPECT_EQ(image.pixel(14 * 247 / 30, 10) & 0xffffff, kGreen);
    EXPECT_EQ(image.pixel(246 - 2, 10) & 0xffffff, kRed);
    grid_.SetCellBackground(0, 0, QColor(kRed));
    grid_.repaint();
    EXPECT_EQ(Render(grid_).pixel(1, 1) & 0xffffff, kRed);
    EXPECT_EQ(grid_.CellAt(0, 0)->text, QStringLiteral("00"));
}

TEST_F(MinuteBar, ClickReportsTheFocusCellAndNoneOutsideTheCells) {
    QSignalSpy clicked(&grid_, &CGridCtrl::clicked);
    QTest::mouseClick(&grid_, Qt::LeftButton, {}, QPoint(3 * 247 / 30 + 4, 6));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 0);
    EXPECT_EQ(clicked[0][1].toInt(), 3);
    EXPECT_EQ(grid_.FocusColumn(), 3);

    grid_.ClearFocusCell();
    EXPECT_EQ(grid_.FocusColumn(), -1);

    QTest::mouseClick(&grid_, Qt::LeftButton, {}, QPoint(120, 12)); // below the 12 px
    QTest::mouseClick(&grid_, Qt::RightButton, {}, QPoint(10, 6));
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked[1][0].toInt(), 0); // the row is 13 high
    EXPECT_EQ(clicked[1][1].toInt(), 120 * 30 / 247);
    grid_.resize(260, 12);
    QTest::mouseClick(&grid_, Qt::LeftButton, {}, QPoint(255, 6));
    ASSERT_EQ(clicked.count(), 3);
    EXPECT_LT(clicked[2][0].toInt(), 0);
    EXPECT_LT(clicked[2][1].toInt(), 0);
}

TEST(CGridCtrl, RefusesImpossibleSizesAndKeepsItsCells) {
    CGridCtrl grid;
    ASSERT_TRUE(grid.SetSize(1, 12));
    EXPECT_FALSE(grid.SetSize(-1, 12));
    EXPECT_FALSE(grid.SetSize(100000, 100000));
    EXPECT_EQ(grid.ColumnCount(), 12);
    EXPECT_EQ(grid.CellAt(0, 12), nullptr);
}

} // namespace
} // namespace korvex
