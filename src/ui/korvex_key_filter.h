#pragma once

#include "ui/program_keys.h"

#include <QObject>

class QWidget;

namespace korvex {

// What the program's keys act on: the main window, which knows its own windows and runs a
// binding on the panel, the video window or itself. User-interface thread only.
class ProgramKeyTarget {
public:
    virtual ~ProgramKeyTarget() = default;
    // Whether the top-level `window` is one of the program's own (the main window, the video
    // window and the map view, docked or popped out, or the picture in full screen).
    virtual bool IsProgramWindow(const QWidget* window) const = 0;
    // Runs `key`; false when it does nothing now (no recording open), so the key goes on.
    virtual bool RunKey(const KeyBinding& key) = 0;
};

// The program's keys (ui/program_keys.h), installed on the application. Escape is always
// swallowed, so it closes no window or dialog. The other keys work only in the program's own
// windows and never while a text field, a spin box or an editable list box has the focus,
// since they are typed there; a dialog, a menu or a message box gets every key as usual. A held
// key repeats only what the table says repeats. User-interface thread only.
class KorvexKeyFilter final : public QObject {
    Q_OBJECT

public:
    explicit KorvexKeyFilter(ProgramKeyTarget& target, QObject* parent = nullptr)
        : QObject(parent), target_(target) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProgramKeyTarget& target_;
};

} // namespace korvex
