#include "translated_look.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

namespace korvex::test {

void InstallShippedLanguages(const std::filesystem::path& program_folder) {
    std::filesystem::create_directories(program_folder / "Language");
    for (const auto& file : std::filesystem::directory_iterator(
             std::filesystem::path(KORVEX_PROGRAM_FOLDER) / "Language")) {
        std::filesystem::copy_file(file.path(),
                                   program_folder / "Language" / file.path().filename(),
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

std::string LanguageConfig(std::string_view code) {
    return "[Config]\nLanguage File=" + std::string(code) + "\n";
}

QStringList ClippedTexts(const QWidget& window) {
    QStringList clipped;
    const auto check = [&clipped](const QWidget* widget, const QString& text) {
        if (widget->isVisibleTo(widget->window()) && !text.isEmpty() &&
            widget->width() < widget->sizeHint().width()) {
            clipped << QStringLiteral("%1 (%2 < %3)")
                           .arg(text)
                           .arg(widget->width())
                           .arg(widget->sizeHint().width());
        }
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        check(label, label->text());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        check(button, button->text());
    }
    for (const QComboBox* list : window.findChildren<QComboBox*>()) {
        check(list, list->currentText());
    }
    return clipped;
}

} // namespace korvex::test
