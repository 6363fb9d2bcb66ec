#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace korvex {

struct LanguageEntry {
    std::string_view code;         // language file name without ".ini", and the configured value
    std::string_view display_name; // as the configuration dialog lists it
};

// The languages the program can be translated into; a language's index in this table is what
// the settings store as the language in use. English comes first and needs no file.
inline constexpr std::array<LanguageEntry, 41> kLanguages{{
    {"en_US", "English (English)"},
    {"zh_CN", "簡體中文 (SimplifiedChinese)"},
    {"ar_AE", "Arabic (UAE)"},
    {"ba_BA", "Basque"},
    {"bg_BG", "Bulgarian"},
    {"ca_ES", "Catalan"},
    {"cz_CZ", "Czech"},
    {"da_DK", "Danish"},
    {"de_DE", "German (Germany)"},
    {"el_GR", "Greek"},
    {"es_ES", "Spanish (Castilian)"},
    {"es_AS", "Asturian"},
    {"et_EE", "Estonian"},
    {"fi_FI", "Finnish"},
    {"fr_FR", "French (France)"},
    {"fr_BR", "French (Breton)"},
    {"gl_ES", "Galician"},
    {"he_IL", "Hebrew"},
    {"hu_HU", "Hungarian"},
    {"it_IT", "Italian (Italy)"},
    {"jp_JP", "Japanese"},
    {"ko_KR", "Korean"},
    {"lt_LT", "Lithuanian"},
    {"lv_LV", "Latvian"},
    {"mt_MT", "Maltese"},
    {"nb_NO", "Norwegian (Bokmal)"},
    {"nn_NO", "Norwegian (Nynorsk)"},
    {"nl_NL", "Dutch (Netherlands)"},
    {"pl_PL", "Polish"},
    {"pt_BR", "Portuguese (Brazil)"},
    {"pt_PT", "Portuguese (Portugal)"},
    {"ro_RO", "Romanian"},
    {"ru_RU", "Russian"},
    {"sl_SI", "Slovenian"},
    {"sq_AL", "Albanian (Albania)"},
    {"sv_SE", "Swedish"},
    {"tr_TR", "Turkish"},
    {"ua_UA", "Ukrainian"},
    {"zh_TW", "繁體中文 (TraditionalChinese)"},
    {"vi_VN", "Vietnamese"},
    {"th_TH", "Thailand"},
}};

inline constexpr int kEnglish = 0;

// The table index of a language code, compared exactly (case included).
std::optional<int> LanguageIndexOfCode(std::string_view code);

// The language tried when none is configured: the code that a system language identifier
// (1031 for German, 2052 for Simplified Chinese, ...) stands for, "en_US" for any other.
std::string_view LanguageCodeForSystemLanguage(int identifier);

// The system language identifier of a POSIX locale name such as "de_DE.UTF-8" or "zh_TW";
// 1033 (US English) for "C", "POSIX" and languages without an identifier here.
int LanguageIdentifierOfLocale(std::string_view locale_name);

// The identifier of the locale this process was started in: LC_ALL, else LC_MESSAGES, else LANG.
int SystemLanguageIdentifier();

} // namespace korvex
