#include "widget_pixels.h"

namespace korvex::test {

QImage Render(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int CountColour(const QImage& image, QRgb colour, QRect area) {
    if (area.isNull()) {
        area = image.rect();
    }
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixel(x, y) == (colour | 0xff000000U) ? 1 : 0;
        }
    }
    return count;
}

} // namespace korvex::test
