#include "paint_kit.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace korvex::skinpaint {

namespace {

enum Frame { kNormal, kHover, kPressed, kDisabled, kFrameCount };

struct FaceLook {
    QColor face;
    QColor outline;
    bool highlight; // the 1 px top highlight of a raised part
    bool inner_shadow;
    double glyph_opacity;
    int glyph_drop; // pixels the glyph moves down
};

FaceLook LookOf(int frame, QColor raised) {
    switch (frame) {
    case kHover:
        return {raised.lighter(125), QColor(theme::kAccent), true, false, 1.0, 0};
    case kPressed:
        return {raised.darker(125), QColor(theme::kShadeEdge), false, true, 1.0, 1};
    case kDisabled:
        return {
            QColor(theme::kFace), QColor(theme::kShadeEdge).lighter(150), false, false, 0.35, 0};
    default:
        return {raised, QColor(theme::kShadeEdge), true, false, 1.0, 0};
    }
}

// One button face filling `frame` but for a 1 px margin of the backdrop, which keeps
// neighbouring buttons apart.
void PaintFace(QPainter& painter, const QRect& frame, const FaceLook& look) {
    const QRectF face = QRectF(frame).adjusted(1.5, 1.5, -1.5, -1.5);
    const double radius = frame.height() >= 30 ? 4 : 3;
    QPainterPath outline;
    outline.addRoundedRect(face, radius, radius);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, look.face.lighter(108));
    fill.setColorAt(1, look.face.darker(104));
    painter.fillPath(outline, fill);
    painter.setClipPath(outline);
    if (look.highlight) {
        painter.fillRect(QRectF(face.left(), face.top() + 0.5, face.width(), 1),
                         QColor(theme::kHighlightEdge));
    }
    if (look.inner_shadow) {
        QLinearGradient shadow(face.topLeft(), face.topLeft() + QPointF(0, 5));
        shadow.setColorAt(0, QColor(0, 0, 0, 150));
        shadow.setColorAt(1, QColor(0, 0, 0, 0));
        painter.fillRect(face, shadow);
    }
    painter.setClipping(false);
    painter.setPen(QPen(look.outline, 1));
    painter.drawPath(outline);
    painter.restore();
}

void PaintGlyph(QPainter& painter, const QRect& frame, const QImage& glyph, const FaceLook& look) {
    const QPoint at(frame.left() + (frame.width() - glyph.width()) / 2,
                    frame.top() + (frame.height() - glyph.height()) / 2 + look.glyph_drop);
    painter.save();
    painter.setOpacity(look.glyph_opacity);
    painter.drawImage(at, glyph);
    painter.restore();
}

QRect FrameRect(QSize strip, int frame) {
    const int width = strip.width() / kFrameCount;
    return {frame * width, 0, width, strip.height()};
}

QImage Strip(QSize strip, QColor backdrop, QColor raised, const QImage& glyph) {
    QImage image = NewPicture(strip, backdrop);
    QPainter painter(&image);
    for (int frame = 0; frame < kFrameCount; ++frame) {
        const FaceLook look = LookOf(frame, raised);
        PaintFace(painter, FrameRect(strip, frame), look);
        PaintGlyph(painter, FrameRect(strip, frame), glyph, look);
    }
    return image;
}

} // namespace

QImage ButtonStrip(QSize strip, const Glyph& glyph, int glyph_size) {
    return Strip(strip, QColor(theme::kFace), QColor(theme::kRaised),
                 RenderGlyph(glyph, glyph_size, QColor(theme::kText)));
}

QImage TitleButtonStrip(QSize strip, const Glyph& glyph, bool danger) {
    // Close warns in the error colour; the others stay quiet on the title band.
    const QColor glyph_colour = danger ? QColor(theme::kError).lighter(115) : QColor(theme::kText);
    return Strip(strip, QColor(theme::kWindow), QColor(theme::kFace).lighter(115),
                 RenderGlyph(glyph, strip.height() >= 24 ? 16 : 12, glyph_colour));
}

QImage TrackStrip(QSize strip) {
    QImage image = NewPicture(strip, QColor(theme::kFace));
    QPainter painter(&image);
    const int groove_height = strip.height() >= 16 ? 4 : 2;
    for (int frame = 0; frame < kFrameCount; ++frame) {
        const QRect rect = FrameRect(strip, frame);
        const QRect groove(rect.left() + 2, rect.top() + (rect.height() - groove_height) / 2,
                           rect.width() - 4, groove_height);
        QColor inside(theme::kShadeEdge);
        if (frame == kHover)
            inside = QColor(theme::kAccent).darker(300);
        else if (frame == kPressed)
            inside = QColor(theme::kAccent).darker(220);
        PaintWell(painter, groove, inside);
        if (frame == kDisabled) {
            QColor veil(theme::kFace);
            veil.setAlpha(160);
            painter.fillRect(rect, veil);
        }
    }
    return image;
}

QImage Thumb(QSize size) {
    QImage image = NewPicture(size, Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF knob = QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 1.5, -0.5, -1.5);
    const double radius = std::min(knob.width(), knob.height()) / 2.5;
    QLinearGradient fill(knob.topLeft(), knob.bottomLeft());
    fill.setColorAt(0, QColor(theme::kAccent).lighter(125));
    fill.setColorAt(1, QColor(theme::kAccent).darker(120));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(knob, radius, radius);
    if (size.width() > 20) {
        // Grip lines on the wide knob, centred on whole pixels.
        painter.setRenderHint(QPainter::Antialiasing, false);
        const int middle = size.width() / 2;
        for (int offset : {-4, 0, 4}) {
            painter.fillRect(middle + offset, 5, 1, size.height() - 10,
                             QColor(theme::kAccent).darker(200));
        }
    }
    return image;
}

} // namespace korvex::skinpaint
