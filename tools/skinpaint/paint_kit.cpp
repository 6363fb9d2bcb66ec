#include "paint_kit.h"

namespace korvex::skinpaint {

void PaintWell(QPainter& painter, const QRect& rect, QColor inside) {
    const QRect outer = rect.adjusted(-1, -1, 1, 1);
    painter.fillRect(outer, QColor(theme::kShadeEdge));
    painter.fillRect(outer.left() + 1, outer.bottom(), outer.width() - 1, 1,
                     QColor(theme::kHighlightEdge));
    painter.fillRect(outer.right(), outer.top() + 1, 1, outer.height() - 1,
                     QColor(theme::kHighlightEdge));
    painter.fillRect(rect, inside);
}

QFont PixelFont(int pixel_size, QFont::Weight weight) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixel_size);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace korvex::skinpaint
