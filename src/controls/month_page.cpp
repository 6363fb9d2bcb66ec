#include "controls/month_page.h"

#include <algorithm>

namespace korvex {

int LeadingCells(QDate first_of_month, bool show_neighbours) {
    const int from_sunday = first_of_month.dayOfWeek() % 7;
    return from_sunday == 0 && show_neighbours ? 7 : from_sunday;
}

MonthPage FillMonth(QDate date, bool show_neighbours, const std::vector<QDate>& marks) {
    const QDate first(date.year(), date.month(), 1);
    const QDate start = first.addDays(-LeadingCells(first, show_neighbours));
    MonthPage page;
    for (int i = 0; i < static_cast<int>(page.size()); ++i) {
        DayCell& cell = page[static_cast<size_t>(i)];
        cell.date = start.addDays(i);
        cell.month = cell.date < first ? -1 : (cell.date.month() == first.month() ? 0 : 1);
        cell.marked = std::find(marks.begin(), marks.end(), cell.date) != marks.end();
    }
    return page;
}

int CellOf(const MonthPage& page, QDate date) {
    for (int i = 0; i < static_cast<int>(page.size()); ++i) {
        if (page[static_cast<size_t>(i)].date == date) {
            return i;
        }
    }
    return -1;
}

QDate InMonth(QDate date, int year, int month) {
    const int length = QDate(year, month, 1).daysInMonth();
    return {year, month, std::min(date.day(), length)};
}

} // namespace korvex
