#include "controls/color_static.h"

#include <QPainter>

namespace korvex {

void CColorStatic::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::black);
}

} // namespace korvex
