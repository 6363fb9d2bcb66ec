#include "ui/panel_instruments.h"

#include "ui/panel_readouts.h"

#include <QBitmap>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <array>
#include <cmath>

namespace korvex {

namespace {

double Value(const GSensorSample& sample, GSensorAxis axis) {
    switch (axis) {
    case GSensorAxis::kX:
        return sample.x;
    case GSensorAxis::kY:
        return sample.y;
    case GSensorAxis::kZ:
        return sample.z;
    }
    return 0;
}

// Rows far outside the picture are of no use and would overflow a pixel coordinate.
int GraphOffset(double value, int span) {
    return static_cast<int>(std::clamp(value / 5 * span, -1e6, 1e6));
}

} // namespace

std::vector<QPoint> GraphPoints(const std::deque<GSensorSample>& samples, GSensorAxis axis,
                                const PanelLayout& layout) {
    std::vector<QPoint> points;
    points.reserve(samples.size());
    int column = layout.graph_left;
    for (const GSensorSample& sample : samples) {
        points.emplace_back(column++, layout.graph_zero -
                                          GraphOffset(Value(sample, axis), layout.graph_span));
    }
    return points;
}

QPixmap DrawGSensorGraph(const QPixmap& background, const std::deque<GSensorSample>& samples,
                         const PanelLayout& layout) {
    QPixmap graph = background;
    if (graph.isNull()) {
        graph = QPixmap(layout.graph.size());
        graph.fill(Qt::black);
    }
    QPainter painter(&graph);
    constexpr std::array<std::pair<GSensorAxis, QColor>, 3> pens = {{
        {GSensorAxis::kX, QColor(255, 0, 0)},
        {GSensorAxis::kY, QColor(0, 255, 0)},
        {GSensorAxis::kZ, QColor(0, 64, 255)},
    }};
    for (const auto& [axis, colour] : pens) {
        const std::vector<QPoint> points = GraphPoints(samples, axis, layout);
        painter.setPen(colour);
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
    return graph;
}

QPixmap DrawCompass(const QPixmap& background, const QPixmap& needle, double course,
                    const QString& latitude, const QString& longitude, const PanelLayout& layout) {
    QPixmap compass = background;
    if (compass.isNull()) {
        compass = QPixmap(layout.compass.size());
        compass.fill(Qt::black);
    }
    QPainter painter(&compass);
    if (!needle.isNull()) {
        QPixmap cut = needle;
        cut.setMask(needle.createMaskFromColor(Qt::black));
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(layout.compass_centre);
        painter.rotate(std::isfinite(course) ? course : 0);
        painter.drawPixmap(kNeedleOffset, cut);
        painter.restore();
    }
    // A fixed-pitch face, so that the padded numbers line up under each other.
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    const int line = layout.longitude_text.y() - layout.latitude_text.y();
    font.setPixelSize(line - 2);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const auto lines = {std::pair(layout.latitude_text, latitude),
                        std::pair(layout.longitude_text, longitude)};
    // The texts cross the dial's ticks and letters: a dark window behind them keeps them
    // legible without hiding more of the dial than they cover.
    QRect window;
    for (const auto& [at, text] : lines) {
        window |= QRect(at, QSize(metrics.horizontalAdvance(text), line));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x12, 0x14, 0x18, 225));
    painter.drawRoundedRect(window.adjusted(-2, -1, 2, 1), 2, 2);
    painter.setPen(QColor(255, 0, 0));
    for (const auto& [at, text] : lines) {
        painter.drawText(QRect(at, QSize(compass.width() - at.x(), line)),
                         Qt::AlignLeft | Qt::AlignTop, text);
    }
    return compass;
}

void DrawVolumeBar(QPainter& painter, const QPixmap& grey, const QPixmap& green, int position,
                   const PanelLayout& layout, double scale) {
    const QRect bar = layout.volume_bar;
    const int split = ScaledRounded(VolumeBarGreyWidth(position), scale);
    const QRect left(0, 0, split, bar.height());
    const QRect right(split, 0, bar.width() - split, bar.height());
    painter.drawPixmap(left.translated(bar.topLeft()), grey, left);
    painter.drawPixmap(right.translated(bar.topLeft()), green, right);
}

} // namespace korvex
