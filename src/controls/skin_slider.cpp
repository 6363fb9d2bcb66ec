#include "controls/skin_slider.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvex {

// A push button underneath: as a check box the track would flip to its pressed frame on every
// other click.
CVxSkinSldButton::CVxSkinSldButton(QWidget* parent) : CVxSkinButton(parent) {}

double CVxSkinSldButton::RatioOf(int position) const {
    return maximum_ == minimum_ ? 0.0
                                : static_cast<double>(position - minimum_) / (maximum_ - minimum_);
}

void CVxSkinSldButton::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

void CVxSkinSldButton::SetPos(int position) {
    position_ = position;
    ratio_ = RatioOf(position);
    update();
}

void CVxSkinSldButton::SetThumb(const QPixmap& thumb) {
    thumb_ = thumb;
    update();
}

bool CVxSkinSldButton::SetThumbFromFile(const QString& path) {
    SetThumb(QPixmap(path));
    return !thumb_.isNull();
}

QRect CVxSkinSldButton::ThumbRect() const {
    const int x = std::max(0, std::min(static_cast<int>((width() - thumb_.width()) * ratio_),
                                       width() - thumb_.width()));
    return {x, (height() - thumb_.height()) / 2, thumb_.width(), thumb_.height()};
}

int CVxSkinSldButton::PositionAt(double x) {
    ratio_ = x / std::max(1, width());
    return static_cast<int>(minimum_ + (maximum_ - minimum_) * ratio_ + 0.5);
}

void CVxSkinSldButton::paintEvent(QPaintEvent* event) {
    CVxSkinButton::paintEvent(event);
    if (thumb_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawPixmap(ThumbRect().topLeft(), thumb_);
}

void CVxSkinSldButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    dragging_ = true;
    CVxSkinButton::mousePressEvent(event);
    position_ = PositionAt(event->position().x());
    update();
    emit pressed(tag_, position_);
}

void CVxSkinSldButton::mouseMoveEvent(QMouseEvent* event) {
    CVxSkinButton::mouseMoveEvent(event);
    if (!dragging_) {
        return;
    }
    const int position = PositionAt(event->position().x());
    update();
    if (position != position_) {
        position_ = position;
        emit moved(tag_, position_);
    }
}

void CVxSkinSldButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) {
        return;
    }
    dragging_ = false;
    CVxSkinButton::mouseReleaseEvent(event);
    position_ = std::min(PositionAt(event->position().x()), maximum_);
    ratio_ = RatioOf(position_);
    update();
    emit released(tag_, position_);
}

} // namespace korvex
