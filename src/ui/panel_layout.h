#pragma once

// Where the panel's children sit and which skin pictures they show, per UI mode (0: 203 x 600,
// 1 and 2: 271 x 800), in panel pixels.

#include "app/translation_keys.h"

#include <QPoint>
#include <QRect>
#include <array>

namespace korvex {

// One command button: its control number, tooltip key (null: none) and skin picture.
struct PanelButton {
    int control;
    const char* tooltip_key;
    int picture;
};

inline constexpr int kBackupButton = 239;
inline constexpr int kBackupRunningPicture = 456;
inline constexpr int kMuteButton = 1013;
inline constexpr int kMutedPicture = 138;

inline constexpr std::array<PanelButton, 21> kPanelButtons = {{
    {225, TextKey("Play"), 140},
    {235, TextKey("BackWardPlay"), 447},
    {230, TextKey("Pause"), 141},
    {226, TextKey("Stop"), 142},
    {216, TextKey("PreFrame"), 146},
    {217, TextKey("NextFrame"), 145},
    {233, TextKey("PrevFile"), 161},
    {229, TextKey("NextFile"), 162},
    {237, TextKey("Mark In"), 450},
    {238, TextKey("Mark Out"), 451},
    {kBackupButton, TextKey("Backup"), 452},
    {231, TextKey("Open"), 139},
    {236, TextKey("Save The Playing File"), 449},
    {220, TextKey("SnapShot"), 147},
    {232, TextKey("Map"), 437},
    {234, TextKey("Config"), 163},
    {221, TextKey("SD Card Setup"), 457},
    {1055, TextKey("Map Key"), 1056},
    {kMuteButton, nullptr, 148},
    {227, nullptr, 143},
    {228, nullptr, 144},
}};

// A skinned slider: where its track's top-left corner goes and its pictures.
struct PanelSlider {
    QPoint at;
    int track;
    int thumb;
};

struct PanelLayout {
    int background;
    QRect speed_readout;
    QRect unit_label;
    QRect mark_bar;
    PanelSlider position;
    PanelSlider volume;
    PanelSlider speed;
    // The volume bar, the G-sensor graph and the compass: where each is drawn, and from what.
    QRect volume_bar;
    int volume_grey;
    int volume_green;
    QRect graph;
    int graph_picture;
    QRect compass;
    int compass_picture;
    // The position texts, on the compass picture.
    QPoint latitude_text;
    QPoint longitude_text;
    // The graph's axes on its picture: the first sample's column, the zero line, and the
    // pixels of one unit times five.
    int graph_left;
    int graph_zero;
    int graph_span;
    // The needle's pivot on the compass picture.
    QPoint compass_centre;
};

inline constexpr int kNeedlePicture = 158;
inline constexpr QPoint kNeedleOffset{-7, -43}; // its top-left corner from the pivot

// The layout of `ui_mode`; modes outside 0-2 take mode 1's.
const PanelLayout& PanelLayoutFor(int ui_mode);

// The rectangle of command button `control` in the three button rows; a null rectangle for a
// button that is not placed (it sits outside the panel's visible area).
QRect CommandButtonRect(int ui_mode, int control);

} // namespace korvex
