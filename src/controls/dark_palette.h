#pragma once

#include <QPalette>

class QApplication;

namespace korvex {

// The palette of the plain dialogs (configuration, SD card, map key, message boxes, file
// dialogs): Qt's Fusion style in the colours of the skinned window.
QPalette DarkPalette();

// Gives the whole application the Fusion style, the dark palette and DejaVu Sans at 9 points.
// User-interface thread, before the first window is shown.
void ApplyDarkLook(QApplication& application);

} // namespace korvex
