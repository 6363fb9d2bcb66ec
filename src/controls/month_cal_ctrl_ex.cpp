#include "controls/month_cal_ctrl_ex.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>

namespace korvex {
namespace {

constexpr int kTitleHeight = 28;
constexpr int kWeekDayHeight = 15;
constexpr int kSeparatorHeight = 1;
constexpr int kCellsTop = kTitleHeight + kWeekDayHeight + kSeparatorHeight;

const QColor kBand(37, 37, 37);
const QColor kSunday(255, 0, 0);
const QColor kSaturday(0, 0, 255);
const QColor kNeighbourDay(133, 184, 179);
const QColor kArrowFill(228, 151, 30);
const QColor kArrowOutline(1, 6, 56);

} // namespace

CMonthCalCtrlEx::CMonthCalCtrlEx(QWidget* parent)
    : QWidget(parent), current_(QDate::currentDate()), years_(new QComboBox(this)),
      months_(new QComboBox(this)) {
    setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    years_->setObjectName(QStringLiteral("10001"));
    months_->setObjectName(QStringLiteral("10002"));
    for (int month = 1; month <= 12; ++month) {
        months_->addItem(QString::number(month), month);
    }
    connect(years_, &QComboBox::activated, this, [this](int index) {
        ChangeTo(InMonth(current_, years_->itemData(index).toInt(), current_.month()));
    });
    connect(months_, &QComboBox::activated, this, [this](int index) {
        ChangeTo(InMonth(current_, current_.year(), months_->itemData(index).toInt()));
    });
    Refill();
}

void CMonthCalCtrlEx::SetCurDate(QDate date) {
    if (date.isValid()) {
        current_ = date;
        Refill();
    }
}

void CMonthCalCtrlEx::ClearMarks() {
    marks_.clear();
    for (DayCell& cell : page_) {
        cell.marked = false;
    }
    update();
}

void CMonthCalCtrlEx::AddMark(QDate date) {
    if (std::find(marks_.begin(), marks_.end(), date) != marks_.end()) {
        return;
    }
    marks_.push_back(date);
    const int cell = CellOf(page_, date);
    if (cell >= 0) {
        page_[static_cast<size_t>(cell)].marked = true;
        update(CellRect(cell));
    }
}

void CMonthCalCtrlEx::Refill() {
    page_ = FillMonth(current_, show_neighbours_, marks_);
    selected_ = CellOf(page_, current_);
    if (listed_year_ != current_.year()) {
        RebuildYearList();
    }
    years_->setCurrentIndex(5);
    months_->setCurrentIndex(current_.month() - 1);
    update();
}

void CMonthCalCtrlEx::RebuildYearList() {
    listed_year_ = current_.year();
    years_->clear();
    for (int year = listed_year_ - 5; year <= listed_year_ + 5; ++year) {
        years_->addItem(QString::number(year), year);
    }
}

void CMonthCalCtrlEx::ChangeTo(QDate date) {
    if (date == current_) {
        return;
    }
    current_ = date;
    Refill();
    emit dateChanged(current_);
}

// Sizes follow the control's, at least 20 x 12 (margin 0).
int CMonthCalCtrlEx::CellWidth() const {
    return std::max(20, width() / 7);
}

int CMonthCalCtrlEx::CellHeight() const {
    return std::max(12, (height() - kCellsTop) / 6);
}

QRect CMonthCalCtrlEx::CellRect(int cell) const {
    return {(cell % 7) * CellWidth(), kCellsTop + (cell / 7) * CellHeight(), CellWidth(),
            CellHeight()};
}

QPolygon CMonthCalCtrlEx::Arrow(int arrow) const {
    const int top = 7;
    const int bottom = kTitleHeight - 7;
    const int middle = (top + bottom) / 2;
    if (arrow == 0) {
        return QPolygon({QPoint(10, middle), QPoint(24, top), QPoint(24, bottom)});
    }
    const int right = width() - 1;
    return QPolygon(
        {QPoint(right - 10, middle), QPoint(right - 24, top), QPoint(right - 24, bottom)});
}

QRect CMonthCalCtrlEx::ArrowBounds(int arrow) const {
    return Arrow(arrow).boundingRect();
}

int CMonthCalCtrlEx::ArrowAt(QPoint point) const {
    for (int arrow = 0; arrow < 2; ++arrow) {
        if (ArrowBounds(arrow).contains(point)) {
            return arrow;
        }
    }
    return -1;
}

int CMonthCalCtrlEx::CellAt(QPoint point) const {
    if (point.y() < kCellsTop || point.x() < 0 || point.x() >= 7 * CellWidth()) {
        return -1;
    }
    const int row = (point.y() - kCellsTop) / CellHeight();
    return row < 6 ? row * 7 + point.x() / CellWidth() : -1;
}

void CMonthCalCtrlEx::resizeEvent(QResizeEvent*) {
    const int half = width() / 2;
    years_->setGeometry(half - 70, 4, 70, kTitleHeight - 8);
    months_->setGeometry(half + 20, 4, 50, kTitleHeight - 8);
}

void CMonthCalCtrlEx::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint at = event->position().toPoint();
    if (const int arrow = ArrowAt(at); arrow >= 0) {
        const QDate first(current_.year(), current_.month(), 1);
        const QDate other = first.addMonths(arrow == 0 ? -1 : 1);
        ChangeTo(InMonth(current_, other.year(), other.month()));
        return;
    }
    pressed_cell_ = CellAt(at);
    update();
}

void CMonthCalCtrlEx::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int arrow = ArrowAt(at);
    const int cell = (event->buttons() & Qt::LeftButton) != 0 ? CellAt(at) : -1;
    if (arrow != hover_arrow_ || cell != pressed_cell_) {
        hover_arrow_ = arrow;
        pressed_cell_ = cell;
        update();
    }
}

void CMonthCalCtrlEx::mouseReleaseEvent(QMouseEvent* event) {
    const int cell = CellAt(event->position().toPoint());
    const bool clicked = event->button() == Qt::LeftButton && cell >= 0 && cell == pressed_cell_;
    pressed_cell_ = -1;
    if (clicked && (show_neighbours_ || page_[static_cast<size_t>(cell)].month == 0)) {
        selected_ = cell;
        ChangeTo(page_[static_cast<size_t>(cell)].date);
    }
    update();
}

void CMonthCalCtrlEx::leaveEvent(QEvent*) {
    hover_arrow_ = -1;
    update();
}

void CMonthCalCtrlEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(0, 0, width(), kTitleHeight, kBand);
    painter.fillRect(0, kTitleHeight + kWeekDayHeight, width(), kSeparatorHeight, kBand);

    painter.setRenderHint(QPainter::Antialiasing);
    for (int arrow = 0; arrow < 2; ++arrow) {
        painter.setPen(arrow == hover_arrow_ ? QColor(Qt::white) : kArrowOutline);
        painter.setBrush(kArrowFill);
        painter.drawPolygon(Arrow(arrow));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    static const char* const kWeekDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int day = 0; day < 7; ++day) {
        painter.setPen(day == 0 ? kSunday : (day == 6 ? kSaturday : kBand));
        painter.drawText(QRect(day * CellWidth(), kTitleHeight, CellWidth(), kWeekDayHeight),
                         Qt::AlignCenter, QString::fromLatin1(kWeekDays[day]));
    }

    for (int i = 0; i < static_cast<int>(page_.size()); ++i) {
        const DayCell& cell = page_[static_cast<size_t>(i)];
        if (cell.month != 0 && !show_neighbours_) {
            continue;
        }
        const QRect area = CellRect(i);
        QColor number = Qt::black;
        if (cell.month != 0) {
            number = kNeighbourDay;
        } else if (i % 7 == 0) {
            number = kSunday;
        } else if (i % 7 == 6) {
            number = kSaturday;
        }
        if (i == selected_) {
            painter.fillRect(area, kBand);
            number = Qt::white;
        }
        if (cell.marked) {
            painter.setPen(QColor(255, 0, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(area.adjusted(1, 1, -2, -2));
        }
        if (i == pressed_cell_) {
            painter.setPen(palette().color(QPalette::Dark));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(area.adjusted(0, 0, -1, -1));
        }
        painter.setPen(number);
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine,
                         QString::number(cell.date.day()));
    }
}

} // namespace korvex
