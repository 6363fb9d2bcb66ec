#include "ui/mpris_service.h"

#include "audio/volume_slider.h"
#include "playback/panel_commands.h"
#include "playback/ts_chn.h"
#include "stream/recording_lookup.h"
#include "ui/korvex_dlg.h"
#include "ui/mpris_adaptors.h"
#include "ui/mpris_values.h"
#include "ui/play_ctrl_dlg.h"

#include <QDBusMessage>
#include <QTimer>
#include <QUrl>
#include <unistd.h>

namespace korvex {
namespace {

const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.korvex");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
constexpr int kPollIntervalMs = 250;

// Play, Pause, Stop and the recordings: the panel's buttons.
constexpr int kPlayButton = 225;
constexpr int kPauseButton = 230;
constexpr int kStopButton = 226;
constexpr int kPreviousRecordingButton = 233;
constexpr int kNextRecordingButton = 229;

using Slider = CPlayCtrlDlg::SliderTag;

} // namespace

MprisService::MprisService(CKorvexDlg& window, QDBusConnection bus)
    : window_(window), bus_(std::move(bus)) {
    new MprisRootAdaptor(*this);
    player_ = new MprisPlayerAdaptor(*this);
    if (!Register()) {
        return;
    }
    told_ = Now();
    connect(&window_.Panel(), &CPlayCtrlDlg::Seeked, this, &MprisService::OnSeeked);
    poll_ = new QTimer(this);
    connect(poll_, &QTimer::timeout, this, &MprisService::TellChanges);
    poll_->start(kPollIntervalMs);
}

MprisService::~MprisService() {
    if (!service_name_.isEmpty()) {
        bus_.unregisterService(service_name_);
        bus_.unregisterObject(kObjectPath);
    }
}

bool MprisService::Register() {
    if (!bus_.isConnected() || !bus_.registerObject(kObjectPath, this)) {
        return false;
    }
    // A second program takes a name of its own, as the interface asks.
    for (const QString& name :
         {kServiceName, kServiceName + QStringLiteral(".instance%1").arg(::getpid())}) {
        if (bus_.registerService(name)) {
            service_name_ = name;
            return true;
        }
    }
    bus_.unregisterObject(kObjectPath);
    return false;
}

void MprisService::Raise() {
    window_.showNormal();
    window_.raise();
    window_.activateWindow();
}

void MprisService::Quit() {
    window_.close();
}

void MprisService::Play() {
    Click(kPlayButton);
}

void MprisService::Pause() {
    Click(kPauseButton);
}

void MprisService::Click(int control) {
    window_.Panel().RunCommand(control);
    TellChanges();
}

void MprisService::PlayPause() {
    window_.Panel().TogglePause();
    TellChanges();
}

void MprisService::Stop() {
    Click(kStopButton);
}

void MprisService::Next() {
    Click(kNextRecordingButton);
}

void MprisService::Previous() {
    Click(kPreviousRecordingButton);
}

void MprisService::Seek(qlonglong offset_us) {
    if (CanPlay()) {
        window_.Panel().SeekWithin(offset_us / 1000);
    }
}

void MprisService::SetPosition(const QDBusObjectPath& track, qlonglong position_us) {
    CPlayCtrlDlg& panel = window_.Panel();
    const RecordingEntry& playing = panel.PlayingRecording();
    const qlonglong length_us = LengthMicroseconds(playing);
    // A position for another track, or outside this one, is ignored, as the interface says.
    if (!CanPlay() || track != TrackIdOf(playing) || position_us < 0 || position_us > length_us ||
        length_us <= 0) {
        return;
    }
    panel.MoveSlider(Slider::kPosition,
                     std::max<int>(1, static_cast<int>(position_us * 1000 / length_us)));
}

void MprisService::OpenUri(const QString& uri) {
    const QUrl url(uri);
    if (url.isLocalFile()) {
        window_.Panel().OpenPath(url.toLocalFile().toStdString(), nullptr);
        TellChanges();
    }
}

QString MprisService::PlaybackStatus() const {
    const CTSChn* channel = window_.Panel().Channel();
    return PlaybackStatusText(channel != nullptr,
                              channel != nullptr && channel->State().IsPaused());
}

double MprisService::Rate() const {
    return RateAtSpeedSliderPosition(window_.Panel().SliderPosition(Slider::kSpeed));
}

void MprisService::SetRate(double rate) {
    window_.Panel().MoveSlider(Slider::kSpeed, SpeedSliderPositionForRate(rate));
    TellChanges();
}

double MprisService::Volume() const {
    return static_cast<double>(
               VolumeAtSliderPosition(window_.Panel().SliderPosition(Slider::kVolume))) /
           VolumeAtSliderPosition(0);
}

void MprisService::SetVolume(double volume) {
    const double steps = std::clamp(volume, 0.0, 1.0) * kVolumeSliderLast;
    window_.Panel().MoveSlider(Slider::kVolume, kVolumeSliderLast - static_cast<int>(steps + 0.5));
    TellChanges();
}

QVariantMap MprisService::Metadata() {
    return MetadataOf(window_.Panel().PlayingRecording());
}

qlonglong MprisService::Position() {
    CPlayCtrlDlg& panel = window_.Panel();
    return LengthMicroseconds(panel.PlayingRecording()) * panel.SliderPosition(Slider::kPosition) /
           1000;
}

bool MprisService::CanGoNext() {
    LookUpNeighbours();
    return has_next_;
}

bool MprisService::CanGoPrevious() {
    LookUpNeighbours();
    return has_previous_;
}

void MprisService::LookUpNeighbours() {
    const std::string& path = window_.Panel().PlayingRecording().path;
    if (path != neighbours_of_) {
        neighbours_of_ = path;
        has_next_ = !path.empty() && !NextOf(path).empty();
        has_previous_ = !path.empty() && !PreviousOf(path).empty();
    }
}

bool MprisService::CanPlay() const {
    return window_.Panel().Channel() != nullptr;
}

MprisService::Told MprisService::Now() {
    return {PlaybackStatus(), Rate(),
            Volume(),         QString::fromStdString(window_.Panel().PlayingRecording().path),
            CanGoNext(),      CanGoPrevious(),
            CanPlay()};
}

void MprisService::TellChanges() {
    if (service_name_.isEmpty()) {
        return;
    }
    const Told now = Now();
    QVariantMap changed;
    if (now.status != told_.status) {
        changed.insert(QStringLiteral("PlaybackStatus"), now.status);
    }
    if (now.rate != told_.rate) {
        changed.insert(QStringLiteral("Rate"), now.rate);
    }
    if (now.volume != told_.volume) {
        changed.insert(QStringLiteral("Volume"), now.volume);
    }
    if (now.recording != told_.recording) {
        changed.insert(QStringLiteral("Metadata"), Metadata());
    }
    if (now.can_go_next != told_.can_go_next) {
        changed.insert(QStringLiteral("CanGoNext"), now.can_go_next);
    }
    if (now.can_go_previous != told_.can_go_previous) {
        changed.insert(QStringLiteral("CanGoPrevious"), now.can_go_previous);
    }
    if (now.can_play != told_.can_play) {
        for (const char* name : {"CanPlay", "CanPause", "CanSeek"}) {
            changed.insert(QLatin1String(name), now.can_play);
        }
    }
    told_ = now;
    if (changed.isEmpty()) {
        return;
    }
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    bus_.send(signal);
}

void MprisService::OnSeeked(int position) {
    if (service_name_.isEmpty()) {
        return;
    }
    emit player_->Seeked(LengthMicroseconds(window_.Panel().PlayingRecording()) * position / 1000);
}

} // namespace korvex
