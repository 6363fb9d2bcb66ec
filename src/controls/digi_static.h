#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace korvex {

// Style bits of the segment read-out.
enum DigiStyle : unsigned {
    kDigiFourteen = 2,     // digits, space and '-' as 14-segment characters
    kDigiKeepAspect = 4,   // one scale both ways, centred
    kDigiSoftOutline = 16, // outline blended a quarter towards the background
};

// A short text as lit and unlit segments of a 14-segment LED read-out (the panel's speed).
// Outlines are drawn in design-grid units through the painter's transformation, antialiased.
// Transparent: nothing behind the segments is painted. User-interface thread only.
class CDigiStatic : public QWidget {
    Q_OBJECT

public:
    explicit CDigiStatic(QWidget* parent = nullptr);

    // Repaints only when the text differs.
    void SetText(const QString& text);
    QString Text() const { return text_; }
    void SetColours(QColor off, QColor on);
    void SetBackgroundColour(QColor colour);
    // False, with nothing changed, when remove and add share a bit.
    bool ModifyDigiStyle(unsigned remove, unsigned add);
    unsigned Style() const { return style_; }
    void SetTransparent(bool transparent);

    // The characters shown: their segment masks.
    const std::vector<std::uint16_t>& Characters() const { return characters_; }
    // Where the characters are drawn, in pixels: left, top and the scales.
    QRectF DrawingArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_ = QStringLiteral("?");
    std::vector<std::uint16_t> characters_;
    QColor off_{0, 0x34, 0};
    QColor on_{0, 255, 0};
    QColor background_{Qt::black};
    unsigned style_ = kDigiKeepAspect | kDigiSoftOutline;
    bool transparent_ = false;
};

} // namespace korvex
