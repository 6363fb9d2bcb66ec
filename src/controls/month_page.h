#pragma once

#include <QDate>
#include <array>
#include <vector>

namespace korvex {

// The 42 day cells (6 weeks from Sunday) that the month calendar shows for a date.
struct DayCell {
    QDate date;
    int month = 0; // -1 previous, 0 the shown, 1 next month
    bool marked = false;
};
using MonthPage = std::array<DayCell, 42>;

// Cells before the first of the month: its week-day from Sunday = 0, but a whole week when the
// month starts on a Sunday and the neighbouring months' days are shown.
int LeadingCells(QDate first_of_month, bool show_neighbours);

MonthPage FillMonth(QDate date, bool show_neighbours, const std::vector<QDate>& marks);

// The cell of a date on the page, -1 when it is not there.
int CellOf(const MonthPage& page, QDate date);

// The date in another month with the same day, cut to that month's length
// (31 March in February gives the 28th or 29th).
QDate InMonth(QDate date, int year, int month);

} // namespace korvex
