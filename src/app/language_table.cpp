#include "app/language_table.h"

#include <cstdlib>

namespace korvex {

namespace {

struct CodeOfIdentifier {
    int identifier;
    std::string_view code;
};

constexpr CodeOfIdentifier kCodesOfSystemLanguages[] = {
    {1028, "zh_TW"}, {1029, "cz_CZ"}, {1031, "de_DE"}, {1032, "el_GR"}, {1034, "es_ES"},
    {1036, "fr_FR"}, {1038, "hu_HU"}, {1040, "it_IT"}, {1041, "jp_JP"}, {1049, "ru_RU"},
    {1063, "lt_LT"}, {2052, "zh_CN"}, {3082, "es_ES"},
};

struct IdentifierOfLocale {
    std::string_view locale; // "ll" or "ll_TT"; the longer match wins
    int identifier;
};

// The languages of the language table, by the identifiers the system uses for them.
constexpr IdentifierOfLocale kIdentifiersOfLocales[] = {
    {"ar", 1025},    {"bg", 1026}, {"ca", 1027},    {"zh_TW", 1028}, {"zh_HK", 3076},
    {"zh_SG", 4100}, {"zh", 2052}, {"cs", 1029},    {"da", 1030},    {"de", 1031},
    {"el", 1032},    {"en", 1033}, {"es_ES", 3082}, {"es", 1034},    {"fi", 1035},
    {"fr", 1036},    {"he", 1037}, {"hu", 1038},    {"it", 1040},    {"ja", 1041},
    {"ko", 1042},    {"nl", 1043}, {"nb", 1044},    {"no", 1044},    {"pl", 1045},
    {"pt_BR", 1046}, {"pt", 2070}, {"ro", 1048},    {"ru", 1049},    {"sq", 1052},
    {"sv", 1053},    {"th", 1054}, {"tr", 1055},    {"uk", 1058},    {"sl", 1060},
    {"et", 1061},    {"lv", 1062}, {"lt", 1063},    {"vi", 1066},    {"eu", 1069},
    {"mt", 1082},    {"nn", 2068}, {"gl", 1110},    {"br", 1150},    {"ast", 1610},
};

constexpr int kUsEnglish = 1033;

} // namespace

std::optional<int> LanguageIndexOfCode(std::string_view code) {
    for (size_t i = 0; i < kLanguages.size(); ++i) {
        if (kLanguages[i].code == code) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::string_view LanguageCodeForSystemLanguage(int identifier) {
    for (const CodeOfIdentifier& entry : kCodesOfSystemLanguages) {
        if (entry.identifier == identifier) {
            return entry.code;
        }
    }
    return kLanguages[kEnglish].code;
}

int LanguageIdentifierOfLocale(std::string_view locale_name) {
    // "ll_TT.codeset@modifier": only language and territory matter.
    const std::string_view name = locale_name.substr(0, locale_name.find_first_of(".@"));
    const std::string_view language = name.substr(0, name.find('_'));
    int identifier = kUsEnglish;
    for (const IdentifierOfLocale& entry : kIdentifiersOfLocales) {
        if (entry.locale == name) {
            return entry.identifier;
        }
        if (entry.locale == language && identifier == kUsEnglish) {
            identifier = entry.identifier;
        }
    }
    return identifier;
}

int SystemLanguageIdentifier() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return LanguageIdentifierOfLocale(value);
        }
    }
    return kUsEnglish;
}

} // namespace korvex
