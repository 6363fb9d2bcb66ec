#include "paint_kit.h"
#include "pictures.h"

#include <QFontMetrics>
#include <QLinearGradient>

namespace korvex::skinpaint {

QImage UnitLabel(QSize size, const QString& text) {
    QImage image = NewPicture(size, QColor(theme::kFace));
    QPainter painter(&image);
    painter.setFont(PixelFont(12, QFont::DemiBold));
    painter.setPen(QColor(theme::kSecondaryText));
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

QImage Wordmark(QSize size) {
    // Sits in the title band, so it carries the band's gradient behind the letters.
    QImage image = NewPicture(size, QColor(theme::kWindow));
    QPainter painter(&image);
    QLinearGradient band(0, 0, 0, size.height());
    band.setColorAt(0, QColor(theme::kFace).lighter(115));
    band.setColorAt(1, QColor(theme::kWindow));
    painter.fillRect(image.rect(), band);
    painter.fillRect(0, 0, size.width(), 1, QColor(theme::kHighlightEdge));
    painter.fillRect(0, size.height() - 1, size.width(), 1, QColor(theme::kShadeEdge));

    QFont font = PixelFont(size.height() * 8 / 15, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, size.height() / 6.0);
    painter.setFont(font);
    const QString name = QStringLiteral("KORVEX");
    const QFontMetrics metrics(font);
    const int text_width = metrics.horizontalAdvance(name);
    const int bar = size.height() / 5;
    const int left = (size.width() - text_width) / 2;
    const int baseline = (size.height() + metrics.capHeight()) / 2;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(theme::kText));
    painter.drawText(left, baseline, name);
    // Accent strokes either side, like the speed lines of the program's mark.
    const int y = baseline - metrics.capHeight() / 2 - 1;
    painter.fillRect(left - 14 - 3 * bar, y, 3 * bar, 2, QColor(theme::kAccent));
    painter.fillRect(left + text_width + 10, y, 3 * bar, 2, QColor(theme::kAccent));
    return image;
}

} // namespace korvex::skinpaint
