#include "ui/korvex_run.h"

#include "ui/korvex_dlg.h"
#include "ui/mpris_service.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <iostream>
#include <memory>

namespace korvex {

std::string CommandLinePath(std::span<char* const> arguments) {
    std::string line;
    for (const char* argument : arguments) {
        if (!line.empty()) {
            line += ' ';
        }
        line += argument;
    }
    std::erase(line, '"');
    return line;
}

int RunMainWindow(PanelServices services, QtMessageSink& messages, RemovableVolumes& arrivals,
                  std::string command_line, const QDBusConnection& media_bus,
                  const std::function<void(CKorvexDlg&)>& started) {
    CKorvexApp& app = services.app;
    auto window =
        std::make_unique<CKorvexDlg>(services, messages, arrivals, std::move(command_line));
    auto media_player = std::make_unique<MprisService>(*window, media_bus);
    QEventLoop run;
    QObject::connect(window.get(), &CKorvexDlg::Closed, &run, &QEventLoop::quit);
    window->show();
    if (started) {
        QTimer::singleShot(0, window.get(), [&] { started(*window); });
    }
    run.exec();

    if (const std::error_code failed = app.Finish()) {
        std::cerr << "korvex: the configuration could not be saved to "
                  << app.Settings().Locations().config_file.string() << ": " << failed.message()
                  << '\n';
    }
    media_player.reset();
    window.reset();
    return 0;
}

} // namespace korvex
