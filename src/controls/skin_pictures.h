#pragma once

#include <QPixmap>
#include <vector>

namespace korvex {

// The skin picture with that resource number (the build draws and embeds them all); a null
// pixmap for a number the skin does not have. Needs a QGuiApplication; user-interface thread.
QPixmap SkinPicture(int number);

// The numbers of every skin picture, ascending.
std::vector<int> SkinPictureNumbers();

} // namespace korvex
