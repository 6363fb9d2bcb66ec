#pragma once

#include <QFont>
#include <QString>

namespace korvex {

// A font as the program's layouts describe it: the fields of a logical font record. A negative
// height is the character height in pixels, a positive one the cell height (character plus
// internal leading); zero takes the default size.
struct LogicalFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    int char_set = 0;
    int out_precision = 0;
    int clip_precision = 0;
    int quality = 0;
    int pitch_and_family = 0;
    QString face_name; // at most 31 characters
};

// The face used where a description names one this desktop does not have (the layouts name
// Windows faces): DejaVu Sans, which setup installs.
inline constexpr const char* kFallbackFace = "DejaVu Sans";

// The Qt font for a description; faces that are not installed become the fallback face.
QFont ToQFont(const LogicalFont& description);

} // namespace korvex
