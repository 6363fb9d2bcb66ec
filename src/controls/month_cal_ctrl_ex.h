#pragma once

#include "controls/month_page.h"

#include <QDate>
#include <QWidget>
#include <vector>

class QComboBox;

namespace korvex {

// The recording calendar: a month of 42 day cells under a dark title band with the year and
// month lists and two arrows; marked days (those with recordings) have a red frame.
// dateChanged() is emitted only when the user really changes the date. User-interface thread.
class CMonthCalCtrlEx : public QWidget {
    Q_OBJECT

public:
    explicit CMonthCalCtrlEx(QWidget* parent = nullptr);

    void SetCurDate(QDate date);
    QDate GetCurDate() const { return current_; }
    void ClearMarks();
    void AddMark(QDate date);
    const std::vector<QDate>& Marks() const { return marks_; }
    const MonthPage& Page() const { return page_; }
    int SelectedCell() const { return selected_; }

    // Where things are, for the owner's tests and the gallery.
    QRect CellRect(int cell) const;
    QRect ArrowBounds(int arrow) const; // 0 previous, 1 next

signals:
    void dateChanged(QDate date);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Refill();
    void ChangeTo(QDate date);
    void RebuildYearList();
    int CellAt(QPoint point) const;
    int ArrowAt(QPoint point) const;
    QPolygon Arrow(int arrow) const;
    int CellWidth() const;
    int CellHeight() const;

    QDate current_;
    MonthPage page_;
    std::vector<QDate> marks_;
    int selected_ = -1;
    int pressed_cell_ = -1;
    int hover_arrow_ = -1;
    bool show_neighbours_ = true;
    int listed_year_ = 0;
    QComboBox* years_;
    QComboBox* months_;
};

} // namespace korvex
