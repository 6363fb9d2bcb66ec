#include "glyphs.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <stdexcept>

namespace korvex::skinpaint {

namespace {

QString IconFile(const QString& name) {
    // The theme files its symbolic icons by category; the name alone says which.
    static const char* const kCategories[] = {"actions", "status",   "devices",    "places",
                                              "ui",      "apps",     "categories", "emblems",
                                              "legacy",  "mimetypes"};
    const QDir theme(QStringLiteral(KORVEX_ICON_THEME_DIR));
    for (const char* category : kCategories) {
        const QString path =
            theme.filePath(QStringLiteral("%1/%2-symbolic.svg").arg(category, name));
        if (QFile::exists(path))
            return path;
    }
    throw std::runtime_error("icon theme has no " + name.toStdString());
}

// A bracket with a small play triangle inside, on a 16-unit grid: "[>" marks where a clip
// starts; the mirror image "<]" where it ends.
QPainterPath MarkInPath() {
    QPainterPath path;
    path.addRect(2, 2, 2, 12);
    path.addRect(4, 2, 3, 2);
    path.addRect(4, 12, 3, 2);
    path.moveTo(8, 4.5);
    path.lineTo(14, 8);
    path.lineTo(8, 11.5);
    path.closeSubpath();
    return path;
}

void DrawPath(QPainter& painter, Glyph::Path which, int size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    if (which == Glyph::Path::kMarkOut) {
        painter.translate(16, 0);
        painter.scale(-1, 1);
    }
    painter.fillPath(MarkInPath(), Qt::black);
}

} // namespace

QImage RenderGlyph(const Glyph& glyph, int size, QColor colour) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (glyph.mirrored) {
        painter.translate(size, 0);
        painter.scale(-1, 1);
    }
    if (glyph.path != Glyph::Path::kNone) {
        DrawPath(painter, glyph.path, size);
    } else {
        QSvgRenderer renderer(IconFile(glyph.icon));
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    // The theme draws in one dark colour; keep its coverage, take our colour.
    painter.resetTransform();
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), colour);
    return image;
}

} // namespace korvex::skinpaint
