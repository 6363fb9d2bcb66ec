#pragma once

// Where the main window's children sit in each UI mode (0: 960 x 600, 1: 1280 x 800,
// 2: 1920 x 1080), in client pixels. The title buttons are placed by their top-left corner and
// keep the size of one frame of their strip. A null rectangle is a child hidden in that mode.

#include <QRect>
#include <QSize>

namespace korvex {

struct MainWindowLayout {
    QSize window;
    QRect logo;
    QPoint close_button;
    QPoint min_button;
    QRect video;
    QRect panel;
    QRect map;
    QRect minutes;      // grid 1019
    QRect late_minutes; // grid 1022
    QRect hours;        // grid 1020
    QRect late_hours;   // grid 1023
    QRect calendar;     // 1021
};

// The layout of `ui_mode`; modes outside 0-2 take mode 1's.
const MainWindowLayout& LayoutFor(int ui_mode);

} // namespace korvex
