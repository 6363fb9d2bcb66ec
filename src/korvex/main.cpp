// korvex: the viewer. Plays the recording given on the command line, or the camera's card.
#include "app/korvex_app.h"
#include "app/qt/qt_message_sink.h"
#include "app/version.h"
#include "audio/pulse/pulse_sound_driver.h"
#include "audio/pulse/pulse_volume.h"
#include "camera/qt/udisks_card_formatter.h"
#include "controls/dark_palette.h"
#include "stream/linux/mount_table_volumes.h"
#include "ui/korvex_run.h"
#include "ui/qt_user_prompts.h"

#include <QApplication>
#include <QDBusConnection>
#include <QScreen>
#include <span>

int main(int argc, char** argv) {
    using namespace korvex;
    // The map view's web engine shares its OpenGL contexts with the video window.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    // The desktop entry's name: a Wayland desktop shows the window with the entry's name and icon.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kDesktopEntryId));
    ApplyDarkLook(application);

    CKorvexApp app(SettingsLocations::ForThisProgram());
    const QSize screen = QGuiApplication::primaryScreen()->size();
    app.Prepare(screen.width(), screen.height());

    QtMessageSink messages;
    QtUserPrompts prompts;
    MountTableVolumes volumes;
    MountTableVolumes arrivals; // the arrival watch's own
    UDisksCardFormatter formatter;
    PanelServices services{app,
                           messages,
                           prompts,
                           volumes,
                           formatter,
                           [] { return std::make_unique<pulse::PulseSoundDriver>(); },
                           [] { return std::make_unique<pulse::PulseVolume>(); }};
    return RunMainWindow(services, messages, arrivals,
                         CommandLinePath(std::span<char* const>(argv + 1, argv + argc)),
                         QDBusConnection::sessionBus());
}
