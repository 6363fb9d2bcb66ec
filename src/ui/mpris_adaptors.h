#pragma once

// The two interfaces of the media-player object on the bus, as Qt D-Bus adaptors: each property
// and method hands on to the MprisService they belong to. User-interface thread only.

#include "app/version.h"
#include "ui/mpris_service.h"

#include <QDBusAbstractAdaptor>
#include <QStringList>

namespace korvex {

class MprisRootAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)

public:
    explicit MprisRootAdaptor(MprisService& service);

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const { return QStringLiteral("Korvex"); }
    QString DesktopEntry() const { return QString::fromUtf8(kDesktopEntryId); }
    QStringList SupportedUriSchemes() const { return {QStringLiteral("file")}; }
    QStringList SupportedMimeTypes() const { return {QStringLiteral("video/mp2t")}; }

public slots:
    void Raise() { service_.Raise(); }
    void Quit() { service_.Quit(); }

private:
    MprisService& service_;
};

class MprisPlayerAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate WRITE SetRate)
    Q_PROPERTY(double MinimumRate READ MinimumRate)
    Q_PROPERTY(double MaximumRate READ MaximumRate)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ CanPlay)
    Q_PROPERTY(bool CanPause READ CanPlay)
    Q_PROPERTY(bool CanSeek READ CanPlay)
    Q_PROPERTY(bool CanControl READ CanControl)

public:
    explicit MprisPlayerAdaptor(MprisService& service);

    QString PlaybackStatus() const { return service_.PlaybackStatus(); }
    double Rate() const { return service_.Rate(); }
    void SetRate(double rate) { service_.SetRate(rate); }
    double MinimumRate() const;
    double MaximumRate() const;
    double Volume() const { return service_.Volume(); }
    void SetVolume(double volume) { service_.SetVolume(volume); }
    QVariantMap Metadata() const { return service_.Metadata(); }
    qlonglong Position() const { return service_.Position(); }
    bool CanGoNext() const { return service_.CanGoNext(); }
    bool CanGoPrevious() const { return service_.CanGoPrevious(); }
    bool CanPlay() const { return service_.CanPlay(); }
    bool CanControl() const { return true; }

public slots:
    void Play() { service_.Play(); }
    void Pause() { service_.Pause(); }
    void PlayPause() { service_.PlayPause(); }
    void Stop() { service_.Stop(); }
    void Next() { service_.Next(); }
    void Previous() { service_.Previous(); }
    void Seek(qlonglong Offset) { service_.Seek(Offset); }
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
        service_.SetPosition(TrackId, Position);
    }
    void OpenUri(const QString& Uri) { service_.OpenUri(Uri); }

signals:
    void Seeked(qlonglong Position);

private:
    MprisService& service_;
};

} // namespace korvex
