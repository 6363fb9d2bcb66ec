#pragma once

#include <QStringList>
#include <filesystem>
#include <string>
#include <string_view>

class QWidget;

namespace korvex::test {

// The languages the program ships files for, in which the windows are rendered for review.
inline constexpr std::string_view kShippedLanguages[] = {
    "de_DE", "ru_RU", "jp_JP", "zh_TW", "zh_CN", "ko_KR", "fr_FR", "es_ES", "it_IT", "pt_BR"};

// Puts the build's language files into `program_folder`/Language/, where a program finds them.
void InstallShippedLanguages(const std::filesystem::path& program_folder);

// A "Config.ini" that chooses the language `code`.
std::string LanguageConfig(std::string_view code);

// The texts of the labels, buttons, check boxes and lists of `window` that are cut off: each
// shown narrower than its text needs, as "TEXT (WIDTH < NEEDED)".
QStringList ClippedTexts(const QWidget& window);

} // namespace korvex::test
