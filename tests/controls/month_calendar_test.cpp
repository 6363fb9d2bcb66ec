#include "controls/month_cal_ctrl_ex.h"
#include "widget_pixels.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

struct LeadingCase {
    QDate first;
    bool neighbours;
    int leading;
};

TEST(MonthPage, LeadingCellsAndFilling) {
    const LeadingCase cases[] = {
        {QDate(2026, 2, 1), true, 7}, // a Sunday: a whole week of January first
        {QDate(2026, 2, 1), false, 0},
        {QDate(2026, 1, 1), true, 4}, // a Thursday
        {QDate(2026, 8, 1), true, 6}, // a Saturday
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingCells(c.first, c.neighbours), c.leading)
            << c.first.toString().toStdString();
        const MonthPage page = FillMonth(c.first.addDays(9), c.neighbours, {});
        EXPECT_EQ(page[static_cast<size_t>(c.leading)].date, c.first);
        EXPECT_EQ(page[static_cast<size_t>(c.leading)].month, 0);
        if (c.leading > 0) {
            EXPECT_EQ(page[static_cast<size_t>(c.leading - 1)].month, -1);
        }
        EXPECT_EQ(page[41].month, 1);
        EXPECT_EQ(page[41].date, page[0].date.addDays(41));
    }
}

TEST(MonthPage, TheDayIsCutToTheNewMonth) {
    EXPECT_EQ(InMonth(QDate(2026, 3, 31), 2026, 2), QDate(2026, 2, 28));
    EXPECT_EQ(InMonth(QDate(2024, 3, 31), 2024, 2), QDate(2024, 2, 29));
    EXPECT_EQ(InMonth(QDate(2026, 3, 15), 2027, 6), QDate(2027, 6, 15));
}

class Calendar : public testing::Test {
protected:
    void SetUp() override {
        calendar_.resize(247, 147);
        calendar_.SetCurDate(QDate(2026, 3, 31));
    }
    QComboBox* List(const char* id) { return calendar_.findChild<QComboBox*>(id); }

    CMonthCalCtrlEx calendar_;
};

TEST_F(Calendar, PreviousArrowGoesToTheEndOfFebruaryAndNotifies) {
    QSignalSpy changed(&calendar_, &CMonthCalCtrlEx::dateChanged);
    QTest::mouseClick(&calendar_, Qt::LeftButton, {}, calendar_.ArrowBounds(0).center());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(calendar_.GetCurDate(), QDate(2026, 2, 28));
    EXPECT_EQ(List("10002")->currentText(), QStringLiteral("2"));
    QTest::mouseClick(&calendar_, Qt::LeftButton, {}, calendar_.ArrowBounds(1).center());
    EXPECT_EQ(calendar_.GetCurDate(), QDate(2026, 3, 28));
}

TEST_F(Calendar, TheSameMonthAgainChangesNothing) {
    QSignalSpy changed(&calendar_, &CMonthCalCtrlEx::dateChanged);
    emit List("10002")->activated(2); // March
    EXPECT_EQ(changed.count(), 0);
    emit List("10002")->activated(3);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(calendar_.GetCurDate(), QDate(2026, 4, 30));
}

TEST_F(Calendar, YearListSpansFiveYearsEachWay) {
    QComboBox* years = List("10001");
    ASSERT_EQ(years->count(), 11);
    EXPECT_EQ(years->itemText(0), QStringLiteral("2021"));
    EXPECT_EQ(years->currentText(), QStringLiteral("2026"));
    emit years->activated(0);
    EXPECT_EQ(calendar_.GetCurDate(), QDate(2021, 3, 31));
    EXPECT_EQ(years->itemText(0), QStringLiteral("2016"));
}

TEST_F(Calendar, ClickOnANextMonthDayMovesThereAndMarksAreKeptOnce) {
    calendar_.AddMark(QDate(2026, 3, 10));
    calendar_.AddMark(QDate(2026, 3, 10));
    EXPECT_EQ(calendar_.Marks().size(), 1U);
    const int marked = CellOf(calendar_.Page(), QDate(2026, 3, 10));
    const QRect frame = calendar_.CellRect(marked).adjusted(1, 1, -2, -2);
    EXPECT_EQ(test::Render(calendar_).pixel(frame.topLeft()), 0xffff0000);

    QSignalSpy changed(&calendar_, &CMonthCalCtrlEx::dateChanged);
    const int april_first = CellOf(calendar_.Page(), QDate(2026, 4, 1));
    QTest::mouseClick(&calendar_, Qt::LeftButton, {}, calendar_.CellRect(april_first).center());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(calendar_.GetCurDate(), QDate(2026, 4, 1));
    EXPECT_EQ(calendar_.Page()[static_cast<size_t>(calendar_.SelectedCell())].date,
              QDate(2026, 4, 1));
    calendar_.ClearMarks();
    EXPECT_TRUE(calendar_.Marks().empty());
}

} // namespace
} // namespace korvex
