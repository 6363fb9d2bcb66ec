#pragma once

#include "app/qt/qt_message_sink.h"
#include "ui/panel_services.h"

#include <QDBusConnection>
#include <functional>
#include <span>
#include <string>

namespace korvex {

class CKorvexDlg;

// The path the program is started with: its arguments joined by spaces, every '"' removed;
// empty when there are none.
std::string CommandLinePath(std::span<char* const> arguments);

// The application run, after Prepare: the main window (with the program's keys) until the user
// closes it, then the configuration saved (a failure is told on standard error) and the window
// destroyed. `started` is called once the window is shown, inside the run's event loop. Returns
// the exit status. While the window lives, the program is a media player on `media_bus` (the
// session bus; ui/mpris_service.h), when that is connected. User-interface thread, with a
// QApplication.
int RunMainWindow(PanelServices services, QtMessageSink& messages, RemovableVolumes& arrivals,
                  std::string command_line, const QDBusConnection& media_bus,
                  const std::function<void(CKorvexDlg&)>& started = {});

} // namespace korvex
