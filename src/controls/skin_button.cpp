#include "controls/skin_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace korvex {

CVxSkinButton::CVxSkinButton(QWidget* parent)
    : QAbstractButton(parent), text_colour_(palette().color(QPalette::ButtonText)) {
    setAttribute(Qt::WA_Hover);
}

void CVxSkinButton::SetSkin(const QPixmap& strip, int stretch, int edge, int focus_margin,
                            bool mask_frame, bool fit) {
    strip_ = strip;
    stretch_ = (stretch & 0x8000) != 0 ? 0 : (stretch > 1 ? 2 : stretch);
    edge_ = static_cast<std::int16_t>(edge & 0xFFFF);
    focus_margin_ = (focus_margin & 0x8000) != 0 ? 0 : focus_margin;
    mask_frame_ = mask_frame;
    fit_ = fit;
    frame_size_ = QSize(strip.width() / (mask_frame ? 5 : 4), strip.height());
    resize(frame_size_);
    update();
}

QColor CVxSkinButton::SetTextColor(QColor colour) {
    const QColor previous = text_colour_;
    text_colour_ = colour;
    update();
    return previous;
}

CVxSkinButton::Frame CVxSkinButton::CurrentFrame() const {
    if (!isEnabled()) {
        return kDisabled;
    }
    if (isDown() || isChecked()) {
        return kPressed;
    }
    return hover_ ? kHover : kNormal;
}

void CVxSkinButton::enterEvent(QEnterEvent* event) {
    hover_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CVxSkinButton::leaveEvent(QEvent* event) {
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CVxSkinButton::DrawFrame(QPainter& painter, int frame) const {
    if (strip_.isNull()) {
        return;
    }
    const QRect source(frame * frame_size_.width(), 0, frame_size_.width(), frame_size_.height());
    const QRect target = fit_ || stretch_ != 0 ? rect() : QRect(QPoint(0, 0), frame_size_);
    if (!mask_frame_ || fit_) {
        painter.drawPixmap(target, strip_, source);
        return;
    }
    // Black mask pixels show the frame, the others what lies behind the button.
    QImage frame_image = strip_.copy(source).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage mask =
        strip_.copy(source.translated(frame_size_.width() * (kMask - frame), 0)).toImage();
    for (int y = 0; y < frame_image.height(); ++y) {
        for (int x = 0; x < frame_image.width(); ++x) {
            if ((mask.pixel(x, y) & 0xffffff) != 0) {
                frame_image.setPixel(x, y, 0);
            }
        }
    }
    painter.drawImage(target, frame_image);
}

void CVxSkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Frame frame = CurrentFrame();
    DrawFrame(painter, frame);
    QRect text_area = rect().adjusted(focus_margin_ + 2, 0, -(focus_margin_ + 2), 0);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if (frame == kDisabled) {
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawText(text_area, flags, text());
        text_area.translate(-1, -1);
        painter.setPen(palette().color(QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(text_area, flags, text());
        return;
    }
    if (frame == kPressed) {
        text_area.translate(2, 1);
    }
    if (hasFocus() && focus_margin_ > 0) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(
            rect().adjusted(focus_margin_, focus_margin_, -focus_margin_ - 1, -focus_margin_ - 1));
    }
    painter.setPen(text_colour_);
    painter.drawText(text_area, flags, text());
}

} // namespace korvex
