#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace korvex {

// The questions and messages a window puts to the user: message boxes, file dialogs and the
// folder picker. Windows and dialogs ask through this interface only, so tests can answer
// without a screen (tests/ui/recording_prompts.h) and the program shows Qt's own dialogs
// (QtUserPrompts).
//
// Every call comes from the user-interface thread and returns when the user has answered.
// `parent` is the window the prompt belongs to (it may be null). Texts arrive translated.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A message with an OK button.
    virtual void Inform(QWidget* parent, const QString& text) = 0;

    // A question with Yes and No buttons: true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;

    // A folder picker titled `title`, opened at `start`: the chosen folder without a trailing
    // separator, or an empty string when the user cancelled.
    virtual QString PickFolder(QWidget* parent, const QString& title, const QString& start) = 0;

    // A file dialog for opening one existing file, or for choosing a file name to save to.
    // `filters` are Qt name filters ("Recordings (*.ts *.nts)"). The chosen path, or an empty
    // string when the user cancelled.
    virtual QString PickFileToOpen(QWidget* parent, const QString& title,
                                   const QStringList& filters) = 0;
    virtual QString PickFileToSave(QWidget* parent, const QString& title,
                                   const QString& suggestedPath, const QStringList& filters) = 0;
};

} // namespace korvex
