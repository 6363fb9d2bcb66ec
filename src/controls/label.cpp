#include "controls/label.h"

#include <QPainter>

namespace korvex {

int LabelTextFlags(unsigned static_style, const QString& text) {
    int flags = 0;
    switch (static_style & 0x1FU) {
    case kStaticCentre:
        flags = Qt::AlignHCenter | Qt::TextWordWrap;
        break;
    case kStaticRight:
        flags = Qt::AlignRight | Qt::TextWordWrap;
        break;
    case kStaticLeftNoWordWrap:
        flags = Qt::AlignLeft;
        break;
    default:
        flags = Qt::AlignLeft | Qt::TextWordWrap;
        break;
    }
    if (text.contains(QLatin1Char('\t'))) {
        flags |= Qt::TextExpandTabs;
    }
    if ((static_style & kStaticCentreImage) != 0) {
        flags |= Qt::AlignVCenter;
        if (!text.contains(QLatin1String("\r\n"))) {
            flags = (flags & ~Qt::TextWordWrap) | Qt::TextSingleLine;
        }
    } else {
        flags |= Qt::AlignTop;
    }
    return flags;
}

CLabel::CLabel(QWidget* parent)
    : QWidget(parent), text_colour_(palette().color(QPalette::WindowText)) {
    // The description starts from the widget's own font, as it comes from its parent.
    font_description_.face_name = font().family();
    font_description_.height = -font().pixelSize();
    if (font().pixelSize() <= 0) {
        font_description_.height = -QFontMetrics(font()).ascent();
    }
    font_ = ToQFont(font_description_);
}

CLabel& CLabel::SetTextColor(QColor colour) {
    text_colour_ = colour;
    update();
    return *this;
}

CLabel& CLabel::SetText(const QString& text) {
    text_ = text;
    update();
    return *this;
}

CLabel& CLabel::SetFontBold(bool bold) {
    font_description_.weight = bold ? 700 : 400;
    return FontChanged();
}

CLabel& CLabel::SetFontName(const QString& name, int char_set) {
    font_description_.face_name = name.left(31);
    font_description_.char_set = char_set;
    return FontChanged();
}

CLabel& CLabel::SetFontSize(int height) {
    font_description_.height = height;
    return FontChanged();
}

CLabel& CLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    update();
    return *this;
}

CLabel& CLabel::SetStaticStyle(unsigned style) {
    static_style_ = style;
    update();
    return *this;
}

CLabel& CLabel::FontChanged() {
    font_ = ToQFont(font_description_);
    update();
    return *this;
}

void CLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_) {
        painter.fillRect(rect(), palette().color(QPalette::Button));
    }
    painter.setFont(font_);
    painter.setPen(text_colour_);
    painter.drawText(rect(), LabelTextFlags(static_style_, text_), text_);
}

} // namespace korvex
