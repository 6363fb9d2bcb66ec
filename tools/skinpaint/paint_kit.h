#pragma once

#include "controls/theme_colours.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

// Small pieces the painters share.
namespace korvex::skinpaint {

inline QImage NewPicture(QSize size, QColor fill) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

// A sunken well: dark inside, shade along the top and left, highlight along the bottom and
// right, as light from above falls on a recess. `rect` is the well's inside.
void PaintWell(QPainter& painter, const QRect& rect, QColor inside);

// The program's sans face at a pixel size, hinted to the pixel grid so small text stays crisp.
QFont PixelFont(int pixel_size, QFont::Weight weight = QFont::Normal);

} // namespace korvex::skinpaint
