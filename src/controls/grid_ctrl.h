#pragma once

#include "controls/logical_font.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <vector>

namespace korvex {

// Widths of `count` columns that share `total` pixels: column c gets
// floor((c + 1) * total / count) - floor(c * total / count), so they add up to the total.
std::vector<int> SpreadColumnWidths(int total, int count);

// The time bars' grid: rows of cells, each with its text, background colour and font, drawn
// in the given column widths and row heights. The user cannot select or edit anything; a left
// click moves the focus to the cell under the pointer (none outside every cell) and emits
// clicked() with it. A painted widget rather than QTableWidget: the bars need none of a
// table's headers, scroll bars, selection, editing or item delegates, and each of those would
// have to be switched off and kept off. User-interface thread only.
class CGridCtrl : public QWidget {
    Q_OBJECT

public:
    struct Cell {
        QString text;
        QColor background = Qt::white;
        QFont font;
    };

    explicit CGridCtrl(QWidget* parent = nullptr);

    // Removes all cells and makes rows x columns empty white ones, each column 20 and each row
    // 12 pixels; false (and nothing changed) for negative or absurd counts.
    bool SetSize(int rows, int columns);
    void SetFixedCounts(int fixed_rows, int fixed_columns);
    void SetColumnWidth(int column, int width);
    void SetRowHeight(int row, int height);

    void SetCell(int row, int column, const QString& text, QColor background,
                 const LogicalFont& font);
    void SetCellBackground(int row, int column, QColor background);
    const Cell* CellAt(int row, int column) const;

    int RowCount() const { return static_cast<int>(row_heights_.size()); }
    int ColumnCount() const { return static_cast<int>(column_widths_.size()); }
    int ColumnWidth(int column) const;

    // The focus cell, (-1, -1) when none.
    int FocusRow() const { return focus_row_; }
    int FocusColumn() const { return focus_column_; }
    void ClearFocusCell();

signals:
    // After a left click: the cell that now has the focus, negative when none.
    void clicked(int row, int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Cell* MutableCell(int row, int column);

    std::vector<Cell> cells_; // row by row
    std::vector<int> column_widths_;
    std::vector<int> row_heights_;
    int fixed_rows_ = 0;
    int fixed_columns_ = 0;
    int focus_row_ = -1;
    int focus_column_ = -1;
};

} // namespace korvex
