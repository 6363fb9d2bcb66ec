#pragma once

#include <QPixmap>

namespace korvex {

// The skin picture with that resource number (the build draws and embeds them all); a null
// pixmap for a number the skin does not have. Needs a QGuiApplication; user-interface thread.
QPixmap SkinPicture(int number);

} // namespace korvex
