#include "controls/skin_dialog.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>

namespace korvex {

std::vector<FramePiece> FramePieces(QSize picture, QSize window) {
    const int w = picture.width();
    const int h = picture.height();
    const int W = window.width();
    const int H = window.height();
    const int half_w = w / 2;
    const int half_h = h / 2;
    const int right = W - half_w - 1;
    const int bottom = H - half_h - 1;
    return {
        {{0, 0, half_w, half_h}, {0, 0, half_w, half_h}},
        {{half_w, 0, half_w, half_h}, {right, 0, half_w, half_h}},
        {{0, half_h, half_w, half_h}, {0, bottom, half_w, half_h}},
        {{half_w, half_h, half_w, half_h}, {right, bottom, half_w, half_h}},
        // Top and bottom edges, then left and right.
        {{half_w, 0, w / 10, half_h}, {half_w, 0, W - w, half_h}},
        {{half_w, half_h, w / 10, half_h}, {half_w, bottom, W - w, half_h}},
        {{0, half_h, half_w, h / 10}, {0, half_h, half_w, H - h}},
        {{half_w, half_h, half_w, h / 10}, {right, half_h, half_w, H - h}},
    };
}

CVxSkinDialog::CVxSkinDialog(QWidget* parent) : QWidget(parent) {
    if (parent == nullptr) {
        setWindowFlag(Qt::FramelessWindowHint);
    }
}

void CVxSkinDialog::SetBackground(const QPixmap& background) {
    background_ = background;
    ApplyRegion();
    update();
}

void CVxSkinDialog::SetRoundCorners(int width, int height) {
    corners_ = QSize(width, height);
    ApplyRegion();
}

void CVxSkinDialog::ApplyRegion() {
    if (background_.isNull() || corners_.isEmpty()) {
        clearMask();
        return;
    }
    // A rounded rectangle made of ellipses at the corners and the two crossing bands.
    const QRect all = rect();
    const int cw = corners_.width();
    const int ch = corners_.height();
    QRegion region(all.adjusted(cw / 2, 0, -cw / 2, 0));
    region += all.adjusted(0, ch / 2, 0, -ch / 2);
    for (const QPoint corner : {all.topLeft(), QPoint(all.right() - cw + 1, all.top()),
                                QPoint(all.left(), all.bottom() - ch + 1),
                                QPoint(all.right() - cw + 1, all.bottom() - ch + 1)}) {
        region += QRegion(QRect(corner, corners_), QRegion::Ellipse);
    }
    setMask(region);
}

void CVxSkinDialog::resizeEvent(QResizeEvent*) {
    if (!background_.isNull()) {
        ApplyRegion();
        update();
    }
}

void CVxSkinDialog::paintEvent(QPaintEvent*) {
    if (background_.isNull()) {
        return;
    }
    // Composed off screen and copied in one piece, so nothing flickers while resizing.
    QPixmap composed(size());
    composed.fill(palette().color(QPalette::Window));
    {
        QPainter painter(&composed);
        for (const FramePiece& piece : FramePieces(background_.size(), size())) {
            painter.drawPixmap(piece.target, background_, piece.source);
        }
    }
    QPainter(this).drawPixmap(0, 0, composed);
}

void CVxSkinDialog::mousePressEvent(QMouseEvent* event) {
    QWidget* top = window();
    if (drag_ && event->button() == Qt::LeftButton && top->windowHandle() != nullptr) {
        top->windowHandle()->startSystemMove();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CVxSkinDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace korvex
