#pragma once

#include "stream/recording_entry.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

class QTimer;

namespace korvex {

class CKorvexDlg;
class MprisPlayerAdaptor;

// The program as a media player on the session bus (MPRIS 2), so media keys, the desktop's
// media widgets and playerctl drive it: the service org.mpris.MediaPlayer2.korvex (with
// ".instance<pid>" when another program holds that name) and the object /org/mpris/MediaPlayer2
// with its two interfaces (ui/mpris_adaptors.h). Every method runs what a key or a click on the
// panel runs. A change of the status, the rate, the volume, the recording or what can be done is
// told by a PropertiesChanged signal: after each method at once, and otherwise within a quarter
// of a second, since the recording changes on the reader's thread. A move of the position slider
// (from the panel, a key or a method) is told by Seeked.
//
// A connection that is not connected (no session bus) leaves the program as it is, silently.
// User-interface thread only; the window must outlive it.
class MprisService final : public QObject {
    Q_OBJECT

public:
    MprisService(CKorvexDlg& window, QDBusConnection bus);
    ~MprisService() override;

    // The name it holds on the bus; empty when it holds none.
    const QString& ServiceName() const { return service_name_; }

    // org.mpris.MediaPlayer2.
    void Raise();
    void Quit();

    // org.mpris.MediaPlayer2.Player: methods.
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    void Seek(qlonglong offset_us);
    void SetPosition(const QDBusObjectPath& track, qlonglong position_us);
    void OpenUri(const QString& uri);

    // Properties.
    QString PlaybackStatus() const;
    double Rate() const;
    void SetRate(double rate);
    double Volume() const;
    void SetVolume(double volume);
    QVariantMap Metadata();
    qlonglong Position();
    bool CanGoNext();
    bool CanGoPrevious();
    bool CanPlay() const;

private:
    // The properties that tell what changed, as last told.
    struct Told {
        QString status;
        double rate = 1;
        double volume = 0;
        QString recording;
        bool can_go_next = false;
        bool can_go_previous = false;
        bool can_play = false;
    };

    // What a click on the panel's button `control` runs, then the changes told.
    void Click(int control);
    Told Now();
    // Sends PropertiesChanged with whatever differs from what was told last.
    void TellChanges();
    void OnSeeked(int position);
    void LookUpNeighbours();
    bool Register();

    CKorvexDlg& window_;
    QDBusConnection bus_;
    QString service_name_;
    MprisPlayerAdaptor* player_ = nullptr;
    QTimer* poll_ = nullptr;
    Told told_;
    // The neighbours of the recording being read, looked up once per recording.
    std::string neighbours_of_;
    bool has_next_ = false;
    bool has_previous_ = false;
};

} // namespace korvex
