// What the media-player interface reports, from what the panel shows.
#include "playback/panel_commands.h"
#include "time_zone.h"
#include "ui/mpris_values.h"

#include <QDBusObjectPath>
#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(MprisValues, PlaybackStatus) {
    EXPECT_EQ(PlaybackStatusText(false, false), "Stopped");
    EXPECT_EQ(PlaybackStatusText(false, true), "Stopped");
    EXPECT_EQ(PlaybackStatusText(true, false), "Playing");
    EXPECT_EQ(PlaybackStatusText(true, true), "Paused");
}

TEST(MprisValues, RatesOfTheSpeedSliderAndBack) {
    const double rates[] = {0.0625, 0.125, 0.25, 0.5, 1, 2, 4, 8, 24};
    for (int position = 0; position < kSpeedSliderPositions; ++position) {
        EXPECT_DOUBLE_EQ(RateAtSpeedSliderPosition(position), rates[position]) << position;
        EXPECT_EQ(SpeedSliderPositionForRate(rates[position]), position) << position;
    }
    const struct {
        double rate;
        int position;
    } nearest[] = {{3, 6}, {2.5, 5}, {0.3, 2}, {100, 8}, {0.001, 0}, {0, 4}, {-2, 4}};
    for (const auto& c : nearest) {
        EXPECT_EQ(SpeedSliderPositionForRate(c.rate), c.position) << c.rate;
    }
}

TEST(MprisValues, MetadataOfARecording) {
    test::ScopedTimeZone zone("Europe/Berlin");
    RecordingEntry recording;
    recording.number = 12;
    recording.path = "/media/u/CARD/DCIM/100MEDIA/FILE0012.ts";
    recording.start_time = test::UtcTime("2024-07-01 10:00:00");
    recording.end_time = recording.start_time + 60;
    const QVariantMap metadata = MetadataOf(recording);
    EXPECT_EQ(metadata.value("mpris:trackid").value<QDBusObjectPath>().path(),
              "/org/korvex/Recording/12");
    EXPECT_EQ(metadata.value("xesam:title").toString(), "FILE0012.ts");
    EXPECT_EQ(metadata.value("xesam:url").toString(),
              "file:///media/u/CARD/DCIM/100MEDIA/FILE0012.ts");
    EXPECT_EQ(metadata.value("mpris:length").toLongLong(), 60'000'000);
    EXPECT_EQ(metadata.value("xesam:contentCreated").toString(), "2024-07-01T12:00:00+02:00");

    // Without a number the path names the track; two such recordings are two tracks.
    RecordingEntry other = recording;
    other.number = -1;
    other.path = "/home/u/drive.ts";
    const QString track = TrackIdOf(other).path();
    EXPECT_TRUE(track.startsWith("/org/korvex/Recording/p")) << track.toStdString();
    other.path = "/home/u/drive2.ts";
    EXPECT_NE(TrackIdOf(other).path(), track);

    const QVariantMap none = MetadataOf(RecordingEntry{});
    EXPECT_EQ(none.keys(), QStringList{"mpris:trackid"});
    EXPECT_EQ(none.value("mpris:trackid").value<QDBusObjectPath>().path(),
              "/org/mpris/MediaPlayer2/TrackList/NoTrack");
}

} // namespace
} // namespace korvex
