#pragma once

#include "controls/logical_font.h"

#include <QColor>
#include <QString>
#include <QWidget>

namespace korvex {

// Text layout bits of a static control's style, as the dialog layouts give them.
enum StaticStyle : unsigned {
    kStaticLeft = 0x0,
    kStaticCentre = 0x1,
    kStaticRight = 0x2,
    kStaticLeftNoWordWrap = 0xC,
    kStaticCentreImage = 0x200, // text centred vertically
};

// The Qt text flags a label with that style draws its text with.
int LabelTextFlags(unsigned static_style, const QString& text);

// A label with a font, colour and layout of its own (the SD-card dialog's section headings).
// Setters chain and repaint. A transparent label draws only its text, over its parent's
// background; any other fills itself with the palette's button face first.
// User-interface thread only.
class CLabel : public QWidget {
    Q_OBJECT

public:
    explicit CLabel(QWidget* parent = nullptr);

    CLabel& SetTextColor(QColor colour);
    CLabel& SetText(const QString& text);
    CLabel& SetFontBold(bool bold);
    CLabel& SetFontName(const QString& name, int char_set);
    CLabel& SetFontSize(int height);
    CLabel& SetTransparent(bool transparent);
    CLabel& SetStaticStyle(unsigned style);

    QString Text() const { return text_; }
    const LogicalFont& FontDescription() const { return font_description_; }
    QColor TextColor() const { return text_colour_; }
    bool IsTransparent() const { return transparent_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CLabel& FontChanged();

    QString text_;
    LogicalFont font_description_;
    QFont font_;
    QColor text_colour_;
    bool transparent_ = false;
    unsigned static_style_ = kStaticLeft;
};

} // namespace korvex
