#pragma once

#include <QColor>

// The colours of the dark instrument-panel look, shared by the plain dialogs' palette, the
// controls that paint themselves and the tool that draws the skin pictures.
namespace korvex::theme {

inline constexpr QRgb kWindow = 0xff121418;        // window background
inline constexpr QRgb kFace = 0xff1b1e24;          // panel faces
inline constexpr QRgb kRaised = 0xff262a31;        // raised parts
inline constexpr QRgb kHighlightEdge = 0xff3a3f48; // 1 px top highlight of raised parts
inline constexpr QRgb kShadeEdge = 0xff0b0c0e;     // 1 px bottom shade of raised parts
inline constexpr QRgb kText = 0xffdfe3ea;          // glyphs and text
inline constexpr QRgb kSecondaryText = 0xff9aa3ad;
inline constexpr QRgb kAccent = 0xff3fb8ff; // hover outline, focus, selection
inline constexpr QRgb kWarning = 0xffffb020;
inline constexpr QRgb kError = 0xffff453a;

} // namespace korvex::theme
