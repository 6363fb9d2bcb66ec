#include "paint_kit.h"
#include "pictures.h"
#include "ui/main_window_layout.h"

#include <QLinearGradient>
#include <QSvgRenderer>

namespace korvex::skinpaint {

namespace {

constexpr int kTitleBand = 30;

void PaintTitleBand(QPainter& painter, int width) {
    QLinearGradient band(0, 0, 0, kTitleBand);
    band.setColorAt(0, QColor(theme::kFace).lighter(115));
    band.setColorAt(1, QColor(theme::kWindow));
    painter.fillRect(0, 0, width, kTitleBand, band);
    painter.fillRect(0, 0, width, 1, QColor(theme::kHighlightEdge));
    painter.fillRect(0, kTitleBand - 1, width, 1, QColor(theme::kShadeEdge));
}

// The outline of a whole window: a highlight outside, a shade one pixel in.
void PaintWindowEdge(QPainter& painter, QSize size) {
    painter.setPen(QColor(theme::kHighlightEdge));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    painter.setPen(QColor(theme::kShadeEdge));
    painter.drawRect(1, 1, size.width() - 3, size.height() - 3);
}

} // namespace

QImage MainWindowBackground(int ui_mode) {
    const MainWindowLayout& layout = LayoutFor(ui_mode);
    QImage image = NewPicture(layout.window, QColor(theme::kWindow));
    QPainter painter(&image);
    PaintTitleBand(painter, layout.window.width());
    // Every child sits in a recess of its own, so the window reads as one instrument panel.
    const QColor inside(theme::kShadeEdge);
    for (const QRect& well : {layout.video, layout.map}) {
        if (!well.isNull())
            PaintWell(painter, well, inside);
    }
    const QRect bars = layout.minutes.united(layout.late_minutes)
                           .united(layout.hours)
                           .united(layout.late_hours)
                           .adjusted(-6, -8, 6, 8);
    PaintWell(painter, bars, QColor(theme::kFace));
    for (const QRect& grid :
         {layout.minutes, layout.late_minutes, layout.hours, layout.late_hours}) {
        if (!grid.isNull())
            PaintWell(painter, grid, inside);
    }
    PaintWell(painter, layout.calendar, QColor(theme::kFace));
    painter.fillRect(layout.panel, QColor(theme::kFace));
    PaintWindowEdge(painter, layout.window);
    return image;
}

QImage PanelBackground(QSize size) {
    QImage image = NewPicture(size, QColor(theme::kFace));
    QPainter painter(&image);
    QLinearGradient sheen(0, 0, size.width(), 0);
    sheen.setColorAt(0, QColor(theme::kFace).lighter(112));
    sheen.setColorAt(1, QColor(theme::kFace));
    painter.fillRect(image.rect(), sheen);
    PaintWindowEdge(painter, size);
    return image;
}

QImage HeadingStrip(QSize size) {
    QImage image = NewPicture(size, QColor(theme::kFace));
    QPainter painter(&image);
    QLinearGradient band(0, 0, size.width(), 0);
    band.setColorAt(0, QColor(theme::kRaised).lighter(120));
    band.setColorAt(1, QColor(theme::kFace));
    painter.fillRect(image.rect(), band);
    painter.fillRect(0, 0, 4, size.height(), QColor(theme::kAccent));
    painter.fillRect(0, size.height() - 1, size.width(), 1, QColor(theme::kShadeEdge));
    painter.fillRect(4, 0, size.width() - 4, 1, QColor(theme::kHighlightEdge));
    return image;
}

QImage SidePicture(QSize size, const QString& icon_svg) {
    QImage image = NewPicture(size, QColor(theme::kWindow));
    QPainter painter(&image);
    QLinearGradient fade(0, 0, 0, size.height());
    fade.setColorAt(0, QColor(theme::kRaised));
    fade.setColorAt(1, QColor(theme::kWindow));
    painter.fillRect(image.rect(), fade);
    // A road running into the distance under the mark: the program's subject, quietly.
    painter.setRenderHint(QPainter::Antialiasing);
    const double horizon = size.height() * 0.55;
    const double middle = size.width() / 2.0;
    QPolygonF road;
    road << QPointF(middle - 3, horizon) << QPointF(middle + 3, horizon)
         << QPointF(size.width() - 4, size.height()) << QPointF(4, size.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(theme::kFace).lighter(120));
    painter.drawPolygon(road);
    painter.setBrush(QColor(theme::kAccent).darker(130));
    for (double y = horizon + 12, length = 4; y < size.height(); y += length * 2.2, length *= 1.35)
        painter.drawRect(QRectF(middle - length / 12 - 0.5, y, length / 6 + 1, length));
    const int mark = size.width() - 30;
    painter.drawImage(QPoint((size.width() - mark) / 2, 28),
                      RenderSvg(icon_svg, QSize(mark, mark)));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(size.width() - 1, 0, 1, size.height(), QColor(theme::kShadeEdge));
    return image;
}

QImage RenderSvg(const QString& svg, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        throw std::runtime_error("cannot read " + svg.toStdString());
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}

} // namespace korvex::skinpaint
