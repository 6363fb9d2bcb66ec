#pragma once

// What the media-player interface on the session bus (ui/mpris_service.h) reports, worked out
// from what the panel shows: the playback status, the rate of a speed-slider position and back,
// and the metadata of a recording. Plain values, no bus.

#include "stream/recording_entry.h"

#include <QDBusObjectPath>
#include <QString>
#include <QVariantMap>

namespace korvex {

// "Stopped" with nothing open, else "Paused" or "Playing" as the pause flag stands.
QString PlaybackStatusText(bool open, bool paused);

// How many times faster than recorded the pictures pass at speed-slider `position` (clamped to
// 0-8): 1/16 to 1/2 below the middle, 1 there, then 2, 4, 8 and 24, since the fast states
// decode only part of each group of pictures.
double RateAtSpeedSliderPosition(int position);
// The speed-slider position whose rate is nearest to `rate` (by ratio); the middle for a rate
// that is not positive.
int SpeedSliderPositionForRate(double rate);

// The track of a recording: an object path of its number, or of its path when it has none;
// the interface's "no track" path for an empty entry.
QDBusObjectPath TrackIdOf(const RecordingEntry& recording);

// mpris:trackid, xesam:title (the file name), xesam:url, mpris:length (microseconds) and
// xesam:contentCreated (its start, local time with the offset, ISO 8601); the track id alone
// for an empty entry.
QVariantMap MetadataOf(const RecordingEntry& recording);

// The recording's length in microseconds.
qlonglong LengthMicroseconds(const RecordingEntry& recording);

} // namespace korvex
