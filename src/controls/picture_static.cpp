#include "controls/picture_static.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvex {

bool CPictureStatic::SetImageFile(const QString& path) {
    SetImage(QPixmap(path));
    return !picture_.isNull();
}

void CPictureStatic::SetImage(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void CPictureStatic::paintEvent(QPaintEvent*) {
    if (!picture_.isNull()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), picture_);
    }
}

void CPictureStatic::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit released();
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace korvex
