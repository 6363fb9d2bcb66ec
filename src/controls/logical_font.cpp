#include "controls/logical_font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <algorithm>
#include <cstdlib>

namespace korvex {

QFont ToQFont(const LogicalFont& description) {
    const QString face = QFontDatabase::hasFamily(description.face_name)
                             ? description.face_name
                             : QString::fromLatin1(kFallbackFace);
    QFont font(face);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(description.weight, 100, 900)));
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strike_out);
    if (description.height < 0) {
        font.setPixelSize(-description.height);
    } else if (description.height > 0) {
        // A cell height: find the character size whose line (ascent + descent) fits it.
        constexpr int kProbe = 100;
        font.setPixelSize(kProbe);
        const int line = std::max(1, QFontMetrics(font).height());
        font.setPixelSize(std::max(1, description.height * kProbe / line));
    }
    return font;
}

} // namespace korvex
