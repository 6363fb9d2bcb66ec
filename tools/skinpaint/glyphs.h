#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace korvex::skinpaint {

// What a button shows: a symbolic icon of the installed theme, or a path of our own where the
// theme has none (the mark brackets), optionally mirrored left to right.
struct Glyph {
    enum class Path { kNone, kMarkIn, kMarkOut };
    QString icon; // theme icon name without "-symbolic.svg"; empty for a path
    Path path = Path::kNone;
    bool mirrored = false;
};

// The glyph drawn in one colour into a transparent square of `size` pixels, rendered at that
// size. Throws std::runtime_error when the theme lacks the icon, so the build stops instead of
// embedding an empty button.
QImage RenderGlyph(const Glyph& glyph, int size, QColor colour);

} // namespace korvex::skinpaint
