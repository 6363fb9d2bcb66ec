#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

namespace korvex::test {

// The widget as it draws itself, in 32-bit RGB.
QImage Render(QWidget& widget);

// How many pixels of the area have exactly that colour.
int CountColour(const QImage& image, QRgb colour, QRect area = {});

} // namespace korvex::test
