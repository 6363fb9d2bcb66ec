#pragma once

#include "ui/user_prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace korvex::test {

// Answers prompts without a screen and keeps what was asked, in order: tests set the answers
// before the window asks and read `shown` afterwards.
class RecordingPrompts final : public UserPrompts {
public:
    struct Prompt {
        QString kind; // "inform", "ask", "folder", "open" or "save"
        QString text; // the message, or the dialog's title
    };

    QList<Prompt> shown;
    bool yesNoAnswer = false;
    QString folderAnswer;
    QString openAnswer;
    QString saveAnswer;

    void Inform(QWidget*, const QString& text) override { shown.push_back({"inform", text}); }
    bool AskYesNo(QWidget*, const QString& text) override {
        shown.push_back({"ask", text});
        return yesNoAnswer;
    }
    QString PickFolder(QWidget*, const QString& title, const QString&) override {
        shown.push_back({"folder", title});
        return folderAnswer;
    }
    QString PickFileToOpen(QWidget*, const QString& title, const QStringList&) override {
        shown.push_back({"open", title});
        return openAnswer;
    }
    QString PickFileToSave(QWidget*, const QString& title, const QString&,
                           const QStringList&) override {
        shown.push_back({"save", title});
        return saveAnswer;
    }

    // The texts of the message boxes (Inform and AskYesNo), in order.
    QStringList Messages() const {
        QStringList texts;
        for (const Prompt& prompt : shown) {
            if (prompt.kind == "inform" || prompt.kind == "ask") {
                texts.push_back(prompt.text);
            }
        }
        return texts;
    }
};

} // namespace korvex::test
