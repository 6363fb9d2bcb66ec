#include "ui/main_window_layout.h"

namespace korvex {

namespace {

const MainWindowLayout kLayouts[] = {
    {
        .window = {960, 600},
        .logo = {340, 0, 474, 30},
        .close_button = {919, 2},
        .min_button = {891, 2},
        .video = {205, 31, 751, 414},
        .panel = {0, 0, 203, 600},
        .map = {695, 448, 261, 148},
        .minutes = {236, 476, 247, 12},
        .late_minutes = {236, 499, 247, 12},
        .hours = {249, 535, 233, 12},
        .late_hours = {249, 569, 233, 12},
        .calendar = {496, 462, 191, 124},
    },
    {
        .window = {1280, 800},
        .logo = {530, 0, 474, 30},
        .close_button = {1239, 2},
        .min_button = {1211, 2},
        .video = {273, 31, 1002, 563},
        .panel = {0, 0, 271, 800},
        .map = {924, 596, 350, 198},
        .minutes = {314, 634, 328, 14},
        .late_minutes = {314, 663, 328, 14},
        .hours = {331, 713, 311, 16},
        .late_hours = {331, 758, 311, 16},
        .calendar = {664, 626, 247, 147},
    },
    {
        .window = {1920, 1080},
        .logo = {875, 0, 474, 30},
        .close_button = {1879, 2},
        .min_button = {1851, 2},
        .video = {315, 31, 1598, 898},
        .panel = {21, 280, 271, 800},
        .map = {1322, 933, 593, 143},
        .minutes = {373, 976, 658, 12},
        .late_minutes = {},
        .hours = {392, 1025, 622, 16},
        .late_hours = {},
        .calendar = {1059, 941, 253, 129},
    },
};

} // namespace

const MainWindowLayout& LayoutFor(int ui_mode) {
    return kLayouts[ui_mode >= 0 && ui_mode <= 2 ? ui_mode : 1];
}

} // namespace korvex
