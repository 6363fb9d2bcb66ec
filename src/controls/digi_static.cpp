#include "controls/digi_static.h"

#include "controls/digi_segments.h"

#include <QPainter>
#include <QPainterPath>

namespace korvex {
namespace {

QColor Blend(QColor segment, QColor background) {
    const auto mix = [](int a, int b) { return static_cast<int>(0.75 * a + 0.25 * b); };
    return {mix(segment.red(), background.red()), mix(segment.green(), background.green()),
            mix(segment.blue(), background.blue())};
}

} // namespace

CDigiStatic::CDigiStatic(QWidget* parent) : QWidget(parent) {
    characters_ = DigiMasks(text_);
}

void CDigiStatic::SetText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    characters_ = DigiMasks(text_);
    update();
}

void CDigiStatic::SetColours(QColor off, QColor on) {
    if (off != off_ || on != on_) {
        off_ = off;
        on_ = on;
        update();
    }
}

void CDigiStatic::SetBackgroundColour(QColor colour) {
    background_ = colour;
    update();
}

bool CDigiStatic::ModifyDigiStyle(unsigned remove, unsigned add) {
    if ((remove & add) != 0) {
        return false;
    }
    style_ = (style_ | add) & ~remove;
    update();
    return true;
}

void CDigiStatic::SetTransparent(bool transparent) {
    transparent_ = transparent;
    update();
}

QRectF CDigiStatic::DrawingArea() const {
    const double total = kDigiCellWidth * static_cast<double>(characters_.size());
    if (total == 0) {
        return {};
    }
    double sx = width() / total;
    double sy = height() / static_cast<double>(kDigiCellHeight);
    double left = 0;
    double top = 0;
    if ((style_ & kDigiKeepAspect) != 0) {
        sx = sy = std::min(sx, sy);
        left = (width() - total * sx) / 2;
        top = (height() - kDigiCellHeight * sy) / 2;
    }
    return {left, top, total * sx, kDigiCellHeight * sy};
}

void CDigiStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_) {
        painter.fillRect(rect(), background_);
    }
    const QRectF area = DrawingArea();
    if (area.isEmpty()) {
        return;
    }
    const bool soft = (style_ & kDigiSoftOutline) != 0;
    const QColor off_pen = soft ? Blend(off_, background_) : off_;
    const QColor on_pen = soft ? Blend(on_, background_) : on_;
    painter.setRenderHint(QPainter::Antialiasing);
    // Draw in grid units and let the painter scale them to the control.
    painter.translate(area.topLeft());
    painter.scale(area.width() / (kDigiCellWidth * static_cast<double>(characters_.size())),
                  area.height() / kDigiCellHeight);
    for (const std::uint16_t mask : characters_) {
        for (int i = 0; i < kDigiSegmentCount; ++i) {
            const bool lit = (mask & (1U << i)) != 0;
            QPainterPath path;
            path.addPolygon(DigiSegmentOutline(i));
            path.closeSubpath();
            painter.setPen(QPen(lit ? on_pen : off_pen, 0));
            painter.setBrush(lit ? on_ : off_);
            painter.drawPath(path);
        }
        painter.translate(kDigiCellWidth, 0);
    }
}

} // namespace korvex
