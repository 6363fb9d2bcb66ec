// The language files the program ships: one per translated language, each in valid UTF-8 with
// exactly the keys of the list, read back by the program as written.

#include "app/settings.h"
#include "app/translation_keys.h"
#include "temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

namespace korvex {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTranslatedLanguages[] = {"zh_TW", "zh_CN", "jp_JP", "ko_KR", "de_DE",
                                                     "fr_FR", "es_ES", "it_IT", "pt_BR", "ru_RU"};

const fs::path kDataFolder = fs::path(KORVEX_SOURCE_DIR) / "data";

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const auto byte = [&](size_t at) { return static_cast<unsigned char>(bytes[at]); };
        const unsigned char lead = byte(i);
        const size_t length = lead < 0x80   ? 1
                              : lead < 0xC2 ? 0
                              : lead < 0xE0 ? 2
                              : lead < 0xF0 ? 3
                              : lead < 0xF5 ? 4
                                            : 0;
        if (length == 0 || i + length > bytes.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) {
                return false;
            }
        }
        const unsigned char second = length > 1 ? byte(i + 1) : 0x80;
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

// The "key=value" lines of a language file, each checked for its form on the way.
std::map<std::string, std::string> Translations(const fs::path& file) {
    const std::string bytes = test::ReadFile(file);
    EXPECT_TRUE(IsValidUtf8(bytes)) << file << " is not valid UTF-8";
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF")) << file << " starts with a byte-order mark";
    std::istringstream lines(bytes);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "[Language String]") << file << ": the first line names the section";
    std::map<std::string, std::string> translations;
    for (int number = 2; std::getline(lines, line); ++number) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            ADD_FAILURE() << file << ":" << number << " is not a \"KEY=TRANSLATION\" line";
            continue;
        }
        const std::string key = Trimmed(std::string_view(line).substr(0, equals));
        const std::string value = Trimmed(std::string_view(line).substr(equals + 1));
        EXPECT_FALSE(value.empty()) << file << ":" << number << " has no translation";
        EXPECT_TRUE(translations.emplace(key, value).second)
            << file << ":" << number << " repeats \"" << key << "\"";
    }
    return translations;
}

std::vector<fs::path> LanguageFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kDataFolder / "Language")) {
        files.push_back(entry.path());
    }
    std::ranges::sort(files);
    return files;
}

TEST(LanguageFiles, EachTranslatedLanguageHasAFileNamedByItsCode) {
    std::set<std::string> codes;
    for (const fs::path& file : LanguageFiles()) {
        EXPECT_EQ(file.extension(), ".ini") << file;
        EXPECT_TRUE(LanguageIndexOfCode(file.stem().string())) << file << ": no such language";
        codes.insert(file.stem().string());
    }
    for (std::string_view code : kTranslatedLanguages) {
        EXPECT_TRUE(codes.contains(std::string(code))) << "no data/Language/" << code << ".ini";
    }
}

TEST(LanguageFiles, EveryFileHasEveryListedKeyAndNothingElse) {
    for (const fs::path& file : LanguageFiles()) {
        const std::map<std::string, std::string> translations = Translations(file);
        const std::string name = "data/Language/" + file.filename().string();
        for (std::string_view key : kTranslationKeys) {
            const auto found = translations.find(std::string(key));
            if (found == translations.end()) {
                ADD_FAILURE() << name << " lacks \"" << key << "\": add a line \"" << key
                              << "=TRANSLATION\"";
                continue;
            }
            for (std::string_view mark : {"%1", "%2"}) {
                EXPECT_EQ(key.find(mark) == std::string_view::npos,
                          found->second.find(mark) == std::string::npos)
                    << name << ": the translation of \"" << key << "\" must keep " << mark;
            }
        }
        const std::set<std::string_view> listed(std::begin(kTranslationKeys),
                                                std::end(kTranslationKeys));
        for (const auto& [key, value] : translations) {
            EXPECT_TRUE(listed.contains(key)) << name << " has \"" << key
                                              << "\", which src/app/translation_keys.h does not "
                                                 "list";
        }
    }
}

TEST(LanguageFiles, TheProgramShowsEveryTranslationAsWritten) {
    for (const fs::path& file : LanguageFiles()) {
        SCOPED_TRACE(file);
        test::TempDir dir;
        test::WriteFile(dir / "Config.ini", "[Config]\nLanguage File=" + file.stem().string());
        CSettings settings(SettingsLocations{kDataFolder, dir / "Config.ini", dir.path(), 1033});
        settings.LoadLanguage();
        ASSERT_EQ(settings.language_in_use, LanguageIndexOfCode(file.stem().string()));
        for (const auto& [key, value] : Translations(file)) {
            EXPECT_EQ(settings.Translate(key), value);
        }
    }
}

} // namespace
} // namespace korvex
