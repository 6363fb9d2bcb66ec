#pragma once

#include <QDialog>
#include <filesystem>

class QLineEdit;

namespace korvex {

class CSettings;
class UserPrompts;

// The map key dialog: the user types a Google Maps key, and OK writes the built-in map page with
// that key as "mapdlg.htm" into the user's map folder, where the map view looks first at its next
// start. An empty key asks again; otherwise the dialog tells whether the page was written and
// closes. Texts through the language file.
//
// User-interface thread; modal.
class CGenGMapKey final : public QDialog {
    Q_OBJECT

public:
    CGenGMapKey(const CSettings& settings, UserPrompts& prompts, QWidget* parent = nullptr);

    // Where OK writes the keyed page.
    static std::filesystem::path OutputPath();

    QLineEdit* KeyField() { return key_; }

    void accept() override;

private:
    QString Tr(const char* key) const;

    const CSettings& settings_;
    UserPrompts& prompts_;
    QLineEdit* key_;
};

} // namespace korvex
