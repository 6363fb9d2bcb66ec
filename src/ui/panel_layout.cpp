#include "ui/panel_layout.h"

#include "ui/panel_readouts.h"

#include <algorithm>
#include <iterator>

namespace korvex {

namespace {

QRect ScaledRect(int x, int y, int width, int height, double scale) {
    return {ScaledDown(x, scale), ScaledDown(y, scale), ScaledDown(width, scale),
            ScaledDown(height, scale)};
}

QRect RoundedRect(int x, int y, int width, int height, double scale) {
    return {ScaledRounded(x, scale), ScaledRounded(y, scale), ScaledRounded(width, scale),
            ScaledRounded(height, scale)};
}

QPoint ScaledPoint(int x, int y, double scale) {
    return {ScaledDown(x, scale), ScaledDown(y, scale)};
}

PanelLayout Make(int ui_mode) {
    const bool small = ui_mode == 0;
    const double s = PanelScale(ui_mode);
    PanelLayout layout{};
    layout.background = small ? 439 : ui_mode == 2 ? 454 : 130;
    layout.speed_readout = ScaledRect(10, 371, 160, 50, s);
    layout.unit_label = ScaledRect(185, 381, 52, 20, s);
    layout.mark_bar = small ? QRect(9, 325, 183, 2) : QRect(12, 435, 244, 2);
    layout.position = {small ? QPoint(9, 330) : QPoint(12, 440), small ? 446 : 133, 151};
    layout.volume = {small ? QPoint(42, 402) : QPoint(56, 537), small ? 442 : 152, 155};
    layout.speed = {small ? QPoint(42, 366) : QPoint(55, 489), small ? 445 : 153, 154};
    layout.volume_bar = RoundedRect(54, 554, 202, 46, s);
    layout.volume_grey = small ? 443 : 160;
    layout.volume_green = small ? 444 : 159;
    layout.graph = RoundedRect(9, 281, 251, 73, s);
    layout.graph_picture = small ? 441 : 132;
    layout.compass = ScaledRect(25, 20, 216, 209, s);
    layout.compass_picture = small ? 440 : 156;
    layout.latitude_text = small ? ScaledPoint(45, 178, s) : QPoint(56, 178);
    layout.longitude_text = small ? ScaledPoint(45, 191, s) : QPoint(56, 191);
    layout.graph_left = ScaledDown(30, s);
    layout.graph_zero = ScaledDown(38, s);
    layout.graph_span = ScaledDown(33, s);
    layout.compass_centre = ScaledPoint(108, 87, s);
    return layout;
}

struct ButtonRow {
    std::array<int, 6> controls; // 0 after the last
    QRect large_first;           // modes 1 and 2
    int large_step;
    QRect small_first; // mode 0
    int small_step;
};

// Rectangles as left, top, right, bottom (exclusive).
constexpr QRect Edges(int left, int top, int right, int bottom) {
    return {left, top, right - left, bottom - top};
}

const std::array<ButtonRow, 3> kButtonRows = {{
    {{233, 216, 235, 230, 226, 225}, Edges(16, 633, 48, 655), 40, Edges(6, 474, 38, 496), 32},
    {{217, 229, 237, 238, 239, 0}, Edges(32, 665, 64, 687), 40, Edges(18, 500, 50, 522), 32},
    // In mode 0 the 37-pixel buttons of row 3 step by 40, not 32, so that they do not overlap;
    // the row still ends inside the 203-pixel panel.
    {{231, 236, 220, 232, 234, 0}, Edges(10, 717, 47, 751), 53, Edges(3, 528, 40, 562), 40},
}};

} // namespace

const PanelLayout& PanelLayoutFor(int ui_mode) {
    static const std::array<PanelLayout, 3> layouts = {Make(0), Make(1), Make(2)};
    return layouts[static_cast<std::size_t>(ui_mode >= 0 && ui_mode <= 2 ? ui_mode : 1)];
}

QRect CommandButtonRect(int ui_mode, int control) {
    for (const ButtonRow& row : kButtonRows) {
        const auto place = std::ranges::find(row.controls, control);
        if (place == row.controls.end()) {
            continue;
        }
        const int index = static_cast<int>(std::distance(row.controls.begin(), place));
        const bool small = ui_mode == 0;
        const QRect first = small ? row.small_first : row.large_first;
        return first.translated(index * (small ? row.small_step : row.large_step), 0);
    }
    return {};
}

} // namespace korvex
