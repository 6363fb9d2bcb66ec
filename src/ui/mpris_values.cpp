#include "ui/mpris_values.h"

#include "playback/panel_commands.h"
#include "video/speed_table.h"

#include <QDateTime>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <functional>

namespace korvex {

QString PlaybackStatusText(bool open, bool paused) {
    if (!open) {
        return QStringLiteral("Stopped");
    }
    return paused ? QStringLiteral("Paused") : QStringLiteral("Playing");
}

double RateAtSpeedSliderPosition(int position) {
    const int speed = SpeedStateAtSliderPosition(position);
    return RateMultiplier(speed) / GroupShare(speed);
}

int SpeedSliderPositionForRate(double rate) {
    if (!(rate > 0)) {
        return kSpeedSliderMiddle;
    }
    int nearest = kSpeedSliderMiddle;
    double distance = INFINITY;
    for (int position = 0; position < kSpeedSliderPositions; ++position) {
        const double apart = std::abs(std::log(RateAtSpeedSliderPosition(position) / rate));
        if (apart < distance) {
            distance = apart;
            nearest = position;
        }
    }
    return nearest;
}

QDBusObjectPath TrackIdOf(const RecordingEntry& recording) {
    if (recording.path.empty()) {
        return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    }
    // An object path takes letters, digits and '_' only.
    const QString name = recording.number >= 0
                             ? QString::number(recording.number)
                             : QStringLiteral("p%1").arg(std::hash<std::string>{}(recording.path));
    return QDBusObjectPath(QStringLiteral("/org/korvex/Recording/") + name);
}

qlonglong LengthMicroseconds(const RecordingEntry& recording) {
    return (recording.end_time - recording.start_time) * 1'000'000;
}

QVariantMap MetadataOf(const RecordingEntry& recording) {
    QVariantMap metadata{
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(TrackIdOf(recording))}};
    if (recording.path.empty()) {
        return metadata;
    }
    const QString path = QString::fromStdString(recording.path);
    metadata.insert(QStringLiteral("xesam:title"), QFileInfo(path).fileName());
    metadata.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(path).toString());
    metadata.insert(QStringLiteral("mpris:length"), LengthMicroseconds(recording));
    const QDateTime start = QDateTime::fromSecsSinceEpoch(recording.start_time);
    metadata.insert(QStringLiteral("xesam:contentCreated"),
                    start.toOffsetFromUtc(start.offsetFromUtc()).toString(Qt::ISODate));
    return metadata;
}

} // namespace korvex
