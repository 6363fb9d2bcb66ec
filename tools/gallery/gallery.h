#pragma once

#include <QImage>
#include <QString>

namespace korvex {

// The sheet of every skinned control of one UI mode in each of its states, for a person to
// review the look. Needs a QApplication.
QImage ContactSheet(int ui_mode);

// Writes every skin picture as out_dir/skin/NUMBER.png and the contact sheets of UI modes 0-2
// as out_dir/controls-mode-M.png. Returns what failed, empty when all was written.
QString WriteGallery(const QString& out_dir);

} // namespace korvex
