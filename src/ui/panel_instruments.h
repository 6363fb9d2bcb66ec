#pragma once

// The panel's drawn instruments: the G-sensor graph, the compass with its needle and the
// position texts, and the volume bar. Each is drawn on a copy of its skin picture.

#include "app/g_sensor_sample.h"
#include "ui/panel_layout.h"

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <deque>
#include <vector>

class QPainter;

namespace korvex {

enum class GSensorAxis { kX, kY, kZ };

// Where the samples of one axis lie on the graph, oldest first: the i-th at the column
// left + i, the value v at the row zero - int(v / 5 * span).
std::vector<QPoint> GraphPoints(const std::deque<GSensorSample>& samples, GSensorAxis axis,
                                const PanelLayout& layout);

// The graph: the three axes as red, green and blue polylines on the graph picture.
QPixmap DrawGSensorGraph(const QPixmap& background, const std::deque<GSensorSample>& samples,
                         const PanelLayout& layout);

// The compass: the needle turned by `course` (degrees clockwise from north) about the pivot,
// black needle pixels left out, and the two position texts in red.
QPixmap DrawCompass(const QPixmap& background, const QPixmap& needle, double course,
                    const QString& latitude, const QString& longitude, const PanelLayout& layout);

// The volume bar at its place: grey from the left up to the volume slider's `position`, green
// from there on, both from the same place of their pictures.
void DrawVolumeBar(QPainter& painter, const QPixmap& grey, const QPixmap& green, int position,
                   const PanelLayout& layout, double scale);

} // namespace korvex
