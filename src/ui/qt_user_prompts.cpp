#include "ui/qt_user_prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace korvex {

namespace {

const QString kProgramName = QStringLiteral("Korvex");

} // namespace

void QtUserPrompts::Inform(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, kProgramName, text, QMessageBox::Ok);
}

bool QtUserPrompts::AskYesNo(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, kProgramName, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QString QtUserPrompts::PickFolder(QWidget* parent, const QString& title, const QString& start) {
    const QString folder = QFileDialog::getExistingDirectory(parent, title, start);
    // No trailing separator: the root folder keeps its one, any other loses it.
    return folder.isEmpty() ? folder : QDir::cleanPath(folder);
}

QString QtUserPrompts::PickFileToOpen(QWidget* parent, const QString& title,
                                      const QStringList& filters) {
    return QFileDialog::getOpenFileName(parent, title, QString(),
                                        filters.join(QStringLiteral(";;")));
}

QString QtUserPrompts::PickFileToSave(QWidget* parent, const QString& title,
                                      const QString& suggestedPath, const QStringList& filters) {
    return QFileDialog::getSaveFileName(parent, title, suggestedPath,
                                        filters.join(QStringLiteral(";;")));
}

} // namespace korvex
