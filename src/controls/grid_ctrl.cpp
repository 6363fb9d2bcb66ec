#include "controls/grid_ctrl.h"

#include "controls/theme_colours.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvex {
namespace {

constexpr int kMostCells = 1 << 16;
constexpr int kDefaultColumnWidth = 20;
constexpr int kDefaultRowHeight = 12;

} // namespace

std::vector<int> SpreadColumnWidths(int total, int count) {
    std::vector<int> widths;
    if (count <= 0) {
        return widths;
    }
    // In whole numbers: (c + 1) * (total / count) in floating point can fall just short of
    // the next integer, and the last column would lose a pixel.
    for (long c = 0; c < count; ++c) {
        widths.push_back(static_cast<int>((c + 1) * total / count - c * total / count));
    }
    return widths;
}

CGridCtrl::CGridCtrl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

bool CGridCtrl::SetSize(int rows, int columns) {
    if (rows < 0 || columns < 0 || (rows > 0 && columns > kMostCells / rows)) {
        return false;
    }
    cells_.assign(static_cast<size_t>(rows) * static_cast<size_t>(columns), Cell{});
    column_widths_.assign(static_cast<size_t>(columns), kDefaultColumnWidth);
    row_heights_.assign(static_cast<size_t>(rows), kDefaultRowHeight);
    ClearFocusCell();
    update();
    return true;
}

void CGridCtrl::SetFixedCounts(int fixed_rows, int fixed_columns) {
    fixed_rows_ = fixed_rows;
    fixed_columns_ = fixed_columns;
}

void CGridCtrl::SetColumnWidth(int column, int width) {
    if (column >= 0 && column < ColumnCount()) {
        column_widths_[static_cast<size_t>(column)] = width;
    }
}

void CGridCtrl::SetRowHeight(int row, int height) {
    if (row >= 0 && row < RowCount()) {
        row_heights_[static_cast<size_t>(row)] = height;
    }
}

int CGridCtrl::ColumnWidth(int column) const {
    return column >= 0 && column < ColumnCount() ? column_widths_[static_cast<size_t>(column)] : 0;
}

CGridCtrl::Cell* CGridCtrl::MutableCell(int row, int column) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) {
        return nullptr;
    }
    return &cells_[static_cast<size_t>(row * ColumnCount() + column)];
}

const CGridCtrl::Cell* CGridCtrl::CellAt(int row, int column) const {
    return const_cast<CGridCtrl*>(this)->MutableCell(row, column);
}

void CGridCtrl::SetCell(int row, int column, const QString& text, QColor background,
                        const LogicalFont& font) {
    if (Cell* cell = MutableCell(row, column)) {
        *cell = Cell{text, background, ToQFont(font)};
    }
}

void CGridCtrl::SetCellBackground(int row, int column, QColor background) {
    if (Cell* cell = MutableCell(row, column)) {
        cell->background = background;
    }
}

void CGridCtrl::ClearFocusCell() {
    focus_row_ = -1;
    focus_column_ = -1;
}

void CGridCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(theme::kWindow));
    // Backgrounds first, then the texts: a label wider than its narrow cell (the minute bars'
    // "05" in 8 px) runs on over its neighbour instead of being cut by it.
    for (const bool texts : {false, true}) {
        int top = 0;
        for (int row = 0; row < RowCount(); ++row) {
            const int height = row_heights_[static_cast<size_t>(row)];
            int left = 0;
            for (int column = 0; column < ColumnCount(); ++column) {
                const int width = column_widths_[static_cast<size_t>(column)];
                const Cell& cell = *CellAt(row, column);
                // A 1 px gap on the right keeps neighbouring cells of one colour apart.
                const QRect area(left, top, std::max(1, width - 1), height);
                if (!texts) {
                    painter.fillRect(area, cell.background);
                } else if (!cell.text.isEmpty()) {
                    painter.setFont(cell.font);
                    painter.setPen(QColor(theme::kWindow));
                    painter.drawText(area.adjusted(1, 0, width * 4, 0),
                                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                                     cell.text);
                }
                left += width;
            }
            top += height;
        }
    }
}

void CGridCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint at = event->position().toPoint();
    ClearFocusCell();
    int top = 0;
    for (int row = 0; row < RowCount() && focus_row_ < 0; ++row) {
        const int bottom = top + row_heights_[static_cast<size_t>(row)];
        int left = 0;
        for (int column = 0; column < ColumnCount(); ++column) {
            const int right = left + column_widths_[static_cast<size_t>(column)];
            if (at.y() >= top && at.y() < bottom && at.x() >= left && at.x() < right &&
                row >= fixed_rows_ && column >= fixed_columns_) {
                focus_row_ = row;
                focus_column_ = column;
                break;
            }
            left = right;
        }
        top = bottom;
    }
    emit clicked(focus_row_, focus_column_);
}

} // namespace korvex
