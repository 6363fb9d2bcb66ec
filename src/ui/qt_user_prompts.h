#pragma once

#include "ui/user_prompts.h"

namespace korvex {

// The program's prompts: Qt's message boxes and file dialogs, titled with the program's name.
class QtUserPrompts final : public UserPrompts {
public:
    void Inform(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    QString PickFolder(QWidget* parent, const QString& title, const QString& start) override;
    QString PickFileToOpen(QWidget* parent, const QString& title,
                           const QStringList& filters) override;
    QString PickFileToSave(QWidget* parent, const QString& title, const QString& suggestedPath,
                           const QStringList& filters) override;
};

} // namespace korvex
