#include "paint_kit.h"
#include "pictures.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace korvex::skinpaint {

namespace {

constexpr int kLargeCompassWidth = 216;
constexpr double kSmallPanelScale = 203.0 / 271.0; // panel widths of UI modes 0 and 1

constexpr QRgb kLevelGreen = 0xff3ddc6a;
constexpr QRgb kLevelGrey = 0xff3a3f48;

} // namespace

QImage VolumeBars(QSize size, bool lit) {
    // Rising bars, as a level meter: the panel shows the lit picture up to the volume and the
    // grey one beyond it, so both share one geometry.
    QImage image = NewPicture(size, QColor(theme::kFace));
    QPainter painter(&image);
    const int count = size.width() >= 200 ? 14 : 11;
    const int margin = 3;
    const int pitch = (size.width() - 2 * margin + 2) / count;
    const int bar_width = pitch - 3;
    const int left = (size.width() - (count * pitch - 3)) / 2;
    const int floor = size.height() - 4;
    const int tallest = size.height() - 8;
    for (int bar = 0; bar < count; ++bar) {
        const int height = 3 + (tallest - 3) * (bar + 1) / count;
        const QRect rect(left + bar * pitch, floor - height, bar_width, height);
        QColor colour(lit ? kLevelGreen : kLevelGrey);
        if (lit && bar >= count - 2)
            colour = QColor(theme::kWarning); // the loudest steps warn
        painter.fillRect(rect, colour);
        painter.fillRect(rect.left(), rect.top(), rect.width(), 1, colour.lighter(130));
    }
    painter.fillRect(left, floor + 1, count * pitch - 3, 1, QColor(theme::kHighlightEdge));
    return image;
}

QImage GSensorGraph(QSize size) {
    QImage image = NewPicture(size, QColor(theme::kFace));
    QPainter painter(&image);
    const QRect plot = image.rect().adjusted(1, 1, -1, -1);
    PaintWell(painter, plot, QColor(0xff0e1014));
    const int zero = plot.top() + plot.height() / 2;
    for (int x = plot.left() + 10; x < plot.right(); x += 10)
        painter.fillRect(x, plot.top(), 1, plot.height(), QColor(theme::kRaised));
    for (int offset = 10; offset < plot.height() / 2; offset += 10) {
        painter.fillRect(plot.left(), zero - offset, plot.width(), 1, QColor(theme::kRaised));
        painter.fillRect(plot.left(), zero + offset, plot.width(), 1, QColor(theme::kRaised));
    }
    painter.fillRect(plot.left(), zero, plot.width(), 1, QColor(0xff5a626e));
    painter.fillRect(plot.left() + 10, plot.top(), 1, plot.height(), QColor(0xff4a515c));
    painter.setFont(PixelFont(size.height() >= 70 ? 9 : 8));
    painter.setPen(QColor(theme::kSecondaryText));
    painter.drawText(QRect(plot.left() + 1, plot.top(), 9, zero - plot.top()), Qt::AlignCenter,
                     QStringLiteral("+"));
    painter.drawText(QRect(plot.left() + 1, zero + 1, 9, plot.bottom() - zero), Qt::AlignCenter,
                     QStringLiteral("\u2212"));
    return image;
}

QImage Compass(QSize size) {
    QImage image = NewPicture(size, QColor(theme::kFace));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The dial sits around the needle's pivot, high enough to leave the bottom rows to the
    // position texts the panel writes over the picture; the small picture is the large one at
    // the small panel's scale.
    const double scale = size.width() == kLargeCompassWidth ? 1.0 : kSmallPanelScale;
    const QPointF centre(std::floor(108 * scale), std::floor(87 * scale));
    const double radius = std::min(centre.x(), centre.y()) - 2;

    QRadialGradient dial(centre, radius, centre - QPointF(0, radius * 0.35));
    dial.setColorAt(0, QColor(0xff2c313a));
    dial.setColorAt(0.8, QColor(0xff15181d));
    dial.setColorAt(1, QColor(0xff0d0f12));
    painter.setPen(QPen(QColor(theme::kShadeEdge), 2));
    painter.setBrush(dial);
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(QColor(theme::kHighlightEdge), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius - 2, radius - 2);

    const double outer = radius - 5;
    for (int degrees = 0; degrees < 360; degrees += 10) {
        const bool major = degrees % 30 == 0;
        const double angle = degrees * std::numbers::pi / 180;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        const double length = major ? radius * 0.12 : radius * 0.06;
        painter.setPen(QPen(major ? QColor(theme::kText) : QColor(theme::kSecondaryText),
                            major ? 2 : 1, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(centre + direction * outer, centre + direction * (outer - length));
    }

    const int letter_size = static_cast<int>(radius * 0.2);
    painter.setFont(PixelFont(letter_size, QFont::Bold));
    const double letter_radius = outer - radius * 0.12 - letter_size * 0.85;
    const char* const kLetters[] = {"N", "E", "S", "W"};
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double angle = quarter * std::numbers::pi / 2;
        const QPointF at = centre + QPointF(std::sin(angle), -std::cos(angle)) * letter_radius;
        painter.setPen(quarter == 0 ? QColor(theme::kAccent) : QColor(theme::kText));
        painter.drawText(
            QRectF(at.x() - letter_size, at.y() - letter_size, 2 * letter_size, 2 * letter_size),
            Qt::AlignCenter, QString::fromLatin1(kLetters[quarter]));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(theme::kHighlightEdge));
    painter.drawEllipse(centre, 3, 3);
    return image;
}

QImage Needle(QSize size) {
    // Pointing up; the panel turns it to the course. Two-tone: the lit left half and the
    // shaded right half of a slim arrow, and a dimmer tail.
    QImage image = NewPicture(size, Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double middle = size.width() / 2.0;
    const double width = size.width();
    const double height = size.height();
    const double waist = height * 0.62;
    QPainterPath left;
    left.moveTo(middle, 0.5);
    left.lineTo(middle - width * 0.42, waist);
    left.lineTo(middle, waist - 3);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(middle, 0.5);
    right.lineTo(middle + width * 0.42, waist);
    right.lineTo(middle, waist - 3);
    right.closeSubpath();
    painter.fillPath(left, QColor(theme::kAccent).lighter(120));
    painter.fillPath(right, QColor(theme::kAccent).darker(140));
    QPainterPath tail;
    tail.moveTo(middle, waist - 3);
    tail.lineTo(middle + width * 0.18, height - 1);
    tail.lineTo(middle - width * 0.18, height - 1);
    tail.closeSubpath();
    painter.fillPath(tail, QColor(theme::kSecondaryText).darker(130));
    return image;
}

} // namespace korvex::skinpaint
