#pragma once

#include <QDialog>
#include <QSize>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace korvex {

class CSettings;
class UserPrompts;

// The configuration dialog: edits the user settings (snapshot folder, image type, continuous
// shooting count, language, UI mode, sound amplification, display mode, unit of speed) and shows
// the program version. OK writes them into the settings object and saves the language at once;
// the rest is saved at exit. Cancel changes nothing. User-interface thread only.
class CConfigDlg final : public QDialog {
    Q_OBJECT
public:
    // `screen` is the primary screen's size in logical pixels, which limits the UI modes.
    CConfigDlg(CSettings& settings, UserPrompts& prompts, QSize screen, QWidget* parent = nullptr);

signals:
    // After OK has written the settings: the panel refreshes its tooltips and unit label.
    void settingsApplied();

public slots:
    void accept() override;

private:
    QComboBox* AddList(const QString& label, const QStringList& items, int selected);
    void AddRow(const QString& label, QWidget* field, QWidget* beside = nullptr);
    void Browse();
    void FitUiModeToScreen(int mode);

    CSettings& settings_;
    UserPrompts& prompts_;
    const QSize screen_;
    QGridLayout* fields_;
    int count_; // the continuous shooting count, as last taken from its edit
    QLineEdit* path_ = nullptr;
    QLineEdit* count_edit_ = nullptr;
    QComboBox* image_type_ = nullptr;
    QComboBox* language_ = nullptr;
    QComboBox* ui_mode_ = nullptr;
    QComboBox* amplification_ = nullptr;
    QComboBox* display_mode_ = nullptr;
    QComboBox* unit_ = nullptr;
};

} // namespace korvex
