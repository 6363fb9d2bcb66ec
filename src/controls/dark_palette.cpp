#include "controls/dark_palette.h"

#include "controls/theme_colours.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace korvex {

QPalette DarkPalette() {
    const QColor window(theme::kWindow);
    const QColor face(theme::kFace);
    const QColor raised(theme::kRaised);
    const QColor text(theme::kText);
    const QColor secondary(theme::kSecondaryText);
    const QColor accent(theme::kAccent);

    QPalette palette;
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, window);
    palette.setColor(QPalette::AlternateBase, face);
    palette.setColor(QPalette::ToolTipBase, raised);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, secondary);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, raised);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(theme::kError));
    palette.setColor(QPalette::Light, QColor(theme::kHighlightEdge));
    palette.setColor(QPalette::Midlight, QColor(theme::kHighlightEdge));
    palette.setColor(QPalette::Mid, raised);
    palette.setColor(QPalette::Dark, QColor(theme::kShadeEdge));
    palette.setColor(QPalette::Shadow, QColor(theme::kShadeEdge));
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, window);
    palette.setColor(QPalette::Link, accent);
    palette.setColor(QPalette::LinkVisited, accent.darker(130));

    // Disabled: text and glyphs at 35 % of their strength, no highlight.
    QColor dimmed = text;
    dimmed.setAlphaF(0.35F);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, dimmed);
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, raised);
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, secondary);
    return palette;
}

void ApplyDarkLook(QApplication& application) {
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    application.setPalette(DarkPalette());
    application.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
}

} // namespace korvex
