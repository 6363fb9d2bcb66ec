// The program as a media player on a private session bus of the test: a client of its own
// connection calls the methods and reads the properties through the bus daemon, and
// dbus-monitor, an outside listener, writes down the signals the program sends.
#include "main_window_rig.h"
#include "playback/ts_chn.h"
#include "ui/korvex_dlg.h"
#include "ui/korvex_run.h"
#include "ui/play_ctrl_dlg.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>
#include <QUrl>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

const QString kService = QStringLiteral("org.mpris.MediaPlayer2.korvex");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

// A dbus-daemon of the test's own, with dbus-monitor listening to everything on it.
class PrivateSessionBus {
public:
    PrivateSessionBus() {
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        EXPECT_TRUE(daemon_.waitForReadyRead(10000)) << "dbus-daemon did not start";
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        monitor_.start("dbus-monitor", {"--address", address_});
        // It says so on the bus once it listens.
        [&] { QTRY_VERIFY_WITH_TIMEOUT(Log().contains("NameLost"), 10000); }();
    }
    ~PrivateSessionBus() {
        for (const QString& name : {QStringLiteral("program"), QStringLiteral("client")}) {
            QDBusConnection::disconnectFromBus(name);
        }
        for (QProcess* process : {&monitor_, &daemon_}) {
            process->kill();
            process->waitForFinished();
        }
    }

    QDBusConnection Connect(const QString& name) const {
        return QDBusConnection::connectToBus(address_, name);
    }

    // The signals `member` seen so far, each as dbus-monitor printed it.
    QStringList Signals(const QString& member) {
        QStringList found;
        for (const QString& message : Log().split(QStringLiteral("\nsignal "))) {
            if (message.contains(QStringLiteral("member=") + member + '\n')) {
                found << message;
            }
        }
        return found;
    }

private:
    const QString& Log() {
        log_ += QString::fromUtf8(monitor_.readAllStandardOutput());
        return log_;
    }

    QProcess daemon_;
    QProcess monitor_;
    QString address_;
    QString log_;
};

// Calls over the client's connection; each call runs the event loop while it waits, so the
// program on the same thread answers.
class Client {
public:
    explicit Client(QDBusConnection bus) : bus_(std::move(bus)) {}

    QDBusMessage Call(const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, interface, method);
        call.setArguments(arguments);
        const QDBusMessage reply = bus_.call(call, QDBus::BlockWithGui, 10000);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
            << method.toStdString() << ": " << reply.errorMessage().toStdString();
        return reply;
    }
    QVariant Get(const QString& interface, const QString& property) {
        const QDBusMessage reply = Call(QStringLiteral("org.freedesktop.DBus.Properties"),
                                        QStringLiteral("Get"), {interface, property});
        return reply.arguments().isEmpty()
                   ? QVariant()
                   : reply.arguments().front().value<QDBusVariant>().variant();
    }
    QString Status() { return Get(kPlayer, QStringLiteral("PlaybackStatus")).toString(); }
    qlonglong Position() { return Get(kPlayer, QStringLiteral("Position")).toLongLong(); }
    QVariantMap Metadata() {
        QVariantMap metadata;
        Get(kPlayer, QStringLiteral("Metadata")).value<QDBusArgument>() >> metadata;
        return metadata;
    }
    void Player(const char* method, const QVariantList& arguments = {}) {
        Call(kPlayer, QLatin1String(method), arguments);
    }

private:
    QDBusConnection bus_;
};

TEST(MediaPlayer, IsDrivenOverTheSessionBusAndQuits) {
    PrivateSessionBus bus;
    test::WindowRig rig(1);
    bool drove = false;
    const int status = RunMainWindow(
        rig.Services(), rig.messages_, rig.arrivals_, test::ThreeRecordings().Recording(1),
        bus.Connect(QStringLiteral("program")), [&](CKorvexDlg& window) {
            [&] {
                Client client(bus.Connect(QStringLiteral("client")));
                test::AwaitPictureOf(window, test::ThreeRecordings().Written(1).number);
                EXPECT_EQ(client.Get(kRoot, "Identity").toString(), "Korvex");
                EXPECT_EQ(client.Get(kRoot, "DesktopEntry").toString(), "org.korvex.Korvex");
                EXPECT_TRUE(client.Get(kRoot, "CanQuit").toBool());
                EXPECT_TRUE(client.Get(kRoot, "CanRaise").toBool());
                EXPECT_FALSE(client.Get(kRoot, "HasTrackList").toBool());
                EXPECT_EQ(client.Get(kRoot, "SupportedMimeTypes").toStringList(),
                          QStringList{"video/mp2t"});
                for (const char* can : {"CanGoNext", "CanGoPrevious", "CanPlay", "CanPause",
                                        "CanSeek", "CanControl"}) {
                    EXPECT_TRUE(client.Get(kPlayer, can).toBool()) << can;
                }
                EXPECT_DOUBLE_EQ(client.Get(kPlayer, "Rate").toDouble(), 1.0);

                // PlayPause toggles the status and says so.
                EXPECT_EQ(client.Status(), "Playing");
                client.Player("PlayPause");
                EXPECT_EQ(client.Status(), "Paused");
                EXPECT_TRUE(window.Panel().Channel()->State().IsPaused());
                QTRY_VERIFY_WITH_TIMEOUT(
                    !bus.Signals("PropertiesChanged").filter("\"Paused\"").isEmpty(), 10000);
                client.Player("PlayPause");
                EXPECT_EQ(client.Status(), "Playing");

                const QVariantMap metadata = client.Metadata();
                EXPECT_EQ(metadata.value("xesam:title").toString(), "REC_0002.ts");
                EXPECT_EQ(metadata.value("mpris:length").toLongLong(), 20'000'000);
                EXPECT_TRUE(metadata.value("xesam:contentCreated")
                                .toString()
                                .startsWith("2024-05-17T08:30:20"))
                    << metadata.value("xesam:contentCreated").toString().toStdString();
                const auto track = metadata.value("mpris:trackid").value<QDBusObjectPath>();
                EXPECT_EQ(track.path(), "/org/korvex/Recording/2");

                // SetPosition to the middle, then Seek 5 s on: the slider follows, and each
                // move is told by Seeked.
                client.Player("SetPosition", {QVariant::fromValue(track),
                                              QVariant::fromValue(qlonglong{10'000'000})});
                QTRY_VERIFY_WITH_TIMEOUT(!bus.Signals("Seeked").filter("int64 10000000").isEmpty(),
                                         10000);
                QTRY_VERIFY_WITH_TIMEOUT(std::abs(client.Position() - 10'000'000) < 3'000'000,
                                         10000);
                client.Player("Seek", {QVariant::fromValue(qlonglong{5'000'000})});
                QTRY_COMPARE_WITH_TIMEOUT(bus.Signals("Seeked").size(), 2, 10000);
                QTRY_VERIFY_WITH_TIMEOUT(std::abs(client.Position() - 15'000'000) < 3'000'000,
                                         10000);
                // A position for another track is not taken.
                client.Player("SetPosition",
                              {QVariant::fromValue(QDBusObjectPath("/org/korvex/Recording/7")),
                               QVariant::fromValue(qlonglong{1'000'000})});
                EXPECT_EQ(bus.Signals("Seeked").size(), 2);

                // Next: the title changes, and the change is told.
                client.Player("Next");
                QTRY_COMPARE_WITH_TIMEOUT(client.Metadata().value("xesam:title").toString(),
                                          QStringLiteral("REC_0003.ts"), 20000);
                QTRY_VERIFY_WITH_TIMEOUT(
                    !bus.Signals("PropertiesChanged").filter("REC_0003.ts").isEmpty(), 10000);
                EXPECT_FALSE(client.Get(kPlayer, "CanGoNext").toBool()) << "the last recording";
                client.Player("Previous");
                QTRY_COMPARE_WITH_TIMEOUT(client.Metadata().value("xesam:title").toString(),
                                          QStringLiteral("REC_0002.ts"), 20000);

                // The rate and the volume are the panel's sliders.
                client.Call(
                    QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
                    {kPlayer, QStringLiteral("Rate"), QVariant::fromValue(QDBusVariant(2.0))});
                EXPECT_EQ(window.Panel().SliderPosition(CPlayCtrlDlg::SliderTag::kSpeed), 5);
                EXPECT_DOUBLE_EQ(client.Get(kPlayer, "Rate").toDouble(), 2.0);
                QTRY_VERIFY_WITH_TIMEOUT(
                    !bus.Signals("PropertiesChanged").filter("\"Rate\"").isEmpty(), 10000);
                window.Panel().MoveSlider(CPlayCtrlDlg::SliderTag::kVolume, 27);
                EXPECT_DOUBLE_EQ(client.Get(kPlayer, "Volume").toDouble(), 0.0);

                client.Player("Stop");
                EXPECT_EQ(window.Panel().Channel(), nullptr);
                EXPECT_EQ(client.Status(), "Stopped");
                EXPECT_FALSE(client.Get(kPlayer, "CanPlay").toBool());
                // A file opened by its address plays as one opened from the panel.
                client.Player("OpenUri",
                              {QUrl::fromLocalFile(
                                   QString::fromStdString(test::ThreeRecordings().Recording(0)))
                                   .toString()});
                ASSERT_NE(window.Panel().Channel(), nullptr);
                EXPECT_EQ(client.Status(), "Playing");
                EXPECT_EQ(client.Metadata().value("xesam:title").toString(), "REC_0001.ts");
                client.Call(kRoot, "Quit");
                QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 10000);
                drove = true;
            }();
            // After a failure above the window is still open, and is closed here.
            if (window.isVisible()) {
                window.close();
            }
        });
    EXPECT_TRUE(drove);
    EXPECT_EQ(status, 0);
}

// Without a session bus the program runs as ever, and says nothing about the media player.
TEST(MediaPlayer, WithoutABusTheProgramRunsSilently) {
    test::WindowRig rig(1);
    bool played = false;
    testing::internal::CaptureStderr();
    const int status = RunMainWindow(
        rig.Services(), rig.messages_, rig.arrivals_, test::ThreeRecordings().Recording(0),
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                      QStringLiteral("absent")),
        [&](CKorvexDlg& window) {
            test::AwaitPictureOf(window, test::ThreeRecordings().Written(0).number);
            played = true;
            window.close();
        });
    const std::string said = testing::internal::GetCapturedStderr();
    QDBusConnection::disconnectFromBus(QStringLiteral("absent"));
    EXPECT_TRUE(played);
    EXPECT_EQ(status, 0);
    for (const char* word : {"QDBus", "MediaPlayer2", "mpris"}) {
        EXPECT_EQ(said.find(word), std::string::npos) << said;
    }
    EXPECT_TRUE(rig.prompts_.shown.isEmpty());
}

} // namespace
} // namespace korvex
