// The list of translated texts against the code: every text the code translates is listed, and
// every listed text is translated somewhere.

#include "app/translation_keys.h"
#include "camera/camera_setting_fields.h"
#include "translated_literals.h"

#include <gtest/gtest.h>
#include <set>

namespace korvex {
namespace {

using test::TranslatedLiterals;

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lowered;
}

TEST(TranslationKeys, FindsTheTextsOfTranslatingCallsOnly) {
    struct Case {
        const char* source;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {R"(Tr("Play"))", {"Play"}},
        {R"(Tr(settings_,
                 "Value of continuous shooting " "must be more"))",
         {"Value of continuous shooting must be more"}},
        {R"(Tr("Google Map Key : "))", {"Google Map Key :"}},
        {R"(translate("Finish Backup") + Translate("Say \"hi\""))",
         {"Finish Backup", "Say \"hi\""}},
        {R"({"language", {TextKey("Language:"), 0}})", {"Language:"}},
        {R"(Tr(key); painter.translate(area.topLeft()); SetText("Open"); FinishText("x"))", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TranslatedLiterals(c.source), c.texts) << c.source;
    }
}

TEST(TranslationKeys, EachKeyIsListedOnceAndCanBeALanguageFileKey) {
    std::set<std::string> seen;
    for (std::string_view key : kTranslationKeys) {
        // A language file's reader matches keys without regard to case.
        EXPECT_TRUE(seen.insert(Lowered(key)).second) << "\"" << key << "\" is listed twice";
        EXPECT_FALSE(key.empty());
        EXPECT_EQ(key.find_first_of("=\r\n"), std::string_view::npos) << key;
        EXPECT_NE(key.front(), ' ') << key;
        EXPECT_NE(key.back(), ' ') << key;
        EXPECT_NE(key.front(), ';') << key;
        EXPECT_NE(key.front(), '[') << key;
    }
}

TEST(TranslationKeys, EveryTranslatedTextIsListedAndEveryListedKeyIsTranslated) {
    std::map<std::string, std::string> used =
        test::TranslatedLiteralsUnder(std::filesystem::path(KORVEX_SOURCE_DIR) / "src");
    // The camera's value texts reach the SD card dialog from their table.
    for (const CameraSettingField& field : CameraSettingFields()) {
        for (std::string_view text : field.texts) {
            if (field.translated) {
                used.emplace(text, "camera/camera_setting_fields.cpp, " + std::string(field.name));
            }
        }
    }
    const std::set<std::string_view> listed(std::begin(kTranslationKeys),
                                            std::end(kTranslationKeys));
    for (const auto& [text, where] : used) {
        EXPECT_TRUE(listed.contains(text))
            << "\"" << text << "\" is translated at src/" << where
            << " but missing from kTranslationKeys in src/app/translation_keys.h";
    }
    for (std::string_view key : kTranslationKeys) {
        EXPECT_TRUE(used.contains(std::string(key)))
            << "\"" << key
            << "\" is listed in src/app/translation_keys.h but nothing translates it";
    }
}

} // namespace
} // namespace korvex
