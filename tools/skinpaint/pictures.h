#pragma once

#include "glyphs.h"

#include <QImage>
#include <QSize>
#include <QString>

// The painters of the skin pictures. Each draws one picture for exactly the size it is given,
// so the smaller UI mode gets pictures of its own rather than shrunk ones.
namespace korvex::skinpaint {

// Strips of four frames side by side: normal, hover, pressed or checked, disabled.
QImage ButtonStrip(QSize strip, const Glyph& glyph, int glyph_size);
QImage TitleButtonStrip(QSize strip, const Glyph& glyph, bool danger);
QImage TrackStrip(QSize strip);

// Slider knobs; they are ORed onto the track, so their surround is black.
QImage Thumb(QSize size);

QImage VolumeBars(QSize size, bool lit);
QImage GSensorGraph(QSize size);
QImage Compass(QSize size);
QImage Needle(QSize size);

QImage UnitLabel(QSize size, const QString& text);
QImage MainWindowBackground(int ui_mode);
QImage PanelBackground(QSize size);
QImage HeadingStrip(QSize size);
QImage SidePicture(QSize size, const QString& icon_svg);
QImage Wordmark(QSize size);
QImage RenderSvg(const QString& svg, QSize size);

} // namespace korvex::skinpaint
