#include "ui/panel_mark_bar.h"

#include <QPainter>

namespace korvex {

void PanelMarkBar::SetProgress(int thousandths) {
    if (thousandths != thousandths_) {
        thousandths_ = thousandths;
        update();
    }
}

void PanelMarkBar::paintEvent(QPaintEvent* event) {
    CColorStatic::paintEvent(event);
    if (thousandths_ < 0) {
        return;
    }
    QPainter painter(this);
    const int done = width() * std::min(thousandths_, 1000) / 1000;
    painter.fillRect(QRect(0, 0, done, height()), QColor(0x3f, 0xb8, 0xff));
}

} // namespace korvex
