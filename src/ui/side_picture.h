#pragma once

class QWidget;

namespace korvex {

// The picture down the left side of the configuration and SD card dialogs, at its own size.
QWidget* NewSidePicture(QWidget* parent);

} // namespace korvex
