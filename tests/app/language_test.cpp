#include "settings_fixture.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::SettingsFixture;

std::unique_ptr<CSettings> Loaded(const SettingsFixture& fixture, int system_language = 1033) {
    auto settings = fixture.MakeSettings(system_language);
    settings->LoadLanguage();
    return settings;
}

TEST(Languages, ConfiguredLanguageWithFileTranslatesWhatItHas) {
    SettingsFixture fixture;
    fixture.WriteConfig("[Config]\nLanguage File=de_DE\n");
    fixture.WriteLanguageFile("de_DE.ini", "[Language String]\nPlay=Wiedergabe\nStop=\n"
                                           "Google Map Key : =Google-Kartenschl\xC3\xBC"
                                           "ssel : \n");
    auto settings = Loaded(fixture);
    EXPECT_EQ(settings->language_in_use, *LanguageIndexOfCode("de_DE"));
    EXPECT_EQ(settings->language_chosen, settings->language_in_use);
    EXPECT_EQ(settings->Translate("Play"), "Wiedergabe");
    EXPECT_EQ(settings->Translate("Pause"), "Pause");
    EXPECT_EQ(settings->Translate("Stop"), "") << "a key present with an empty value";
    EXPECT_EQ(settings->Translate("Google Map Key : "), "Google-Kartenschl\xC3\xBCssel :");
}

TEST(Languages, ConfiguredLanguageWithoutFileFallsBackToEnglish) {
    SettingsFixture fixture;
    fixture.WriteConfig("[Config]\nLanguage File=de_DE\n");
    fixture.WriteLanguageFile("fr_fr.ini", "[Language String]\nPlay=Lecture\n");
    fixture.WriteLanguageFile("DE_de.ini", "[Language String]\nPlay=Wiedergabe\n");
    auto settings = Loaded(fixture);
    EXPECT_EQ(settings->language_in_use, kEnglish);
    EXPECT_EQ(settings->Translate("Play"), "Play");
    for (int index = 0; index < static_cast<int>(kLanguages.size()); ++index) {
        EXPECT_EQ(settings->IsLanguageAvailable(index), index == kEnglish) << index;
    }
}

TEST(Languages, WithoutConfiguredLanguageTheSystemLanguageIsTried) {
    SettingsFixture fixture;
    fixture.WriteLanguageFile("zh_CN.ini", "[Language String]\nPlay=\xE6\x92\xAD\xE6\x94\xBE\n");
    fixture.WriteLanguageFile("de_DE.ini", "[Language String]\nPlay=Wiedergabe\n");
    auto settings = Loaded(fixture, 2052);
    EXPECT_EQ(settings->language_in_use, *LanguageIndexOfCode("zh_CN"));
    EXPECT_TRUE(settings->IsLanguageAvailable(*LanguageIndexOfCode("de_DE")));
    EXPECT_EQ(settings->Translate("Play"), "\xE6\x92\xAD\xE6\x94\xBE");

    EXPECT_EQ(Loaded(fixture, 1033)->language_in_use, kEnglish);
}

TEST(Languages, EnglishFileIsUsedWhenPresent) {
    SettingsFixture fixture;
    fixture.WriteConfig("[Config]\nLanguage File=en_US\n");
    fixture.WriteLanguageFile("en_US.ini", "[Language String]\nPrevFile=Previous recording\n");
    EXPECT_EQ(Loaded(fixture)->Translate("PrevFile"), "Previous recording");
}

TEST(Languages, TranslationsAreCutTo259Characters) {
    SettingsFixture fixture;
    fixture.WriteConfig("[Config]\nLanguage File=ru_RU\n");
    std::string long_text;
    for (int i = 0; i < 300; ++i) {
        long_text += "\xD0\x96"; // a two-byte character
    }
    fixture.WriteLanguageFile("ru_RU.ini", "[Language String]\nTip=" + long_text + "\n");
    EXPECT_EQ(Loaded(fixture)->Translate("Tip"), long_text.substr(0, 2 * 259));
}

TEST(Languages, SaveLanguageSwitchesAtOnceAndRemembersIt) {
    SettingsFixture fixture;
    fixture.WriteLanguageFile("it_IT.ini", "[Language String]\nPlay=Riproduci\n");
    auto settings = Loaded(fixture);
    settings->language_chosen = *LanguageIndexOfCode("it_IT");
    ASSERT_FALSE(settings->SaveLanguage());
    EXPECT_EQ(settings->Translate("Play"), "Riproduci");
    EXPECT_EQ(settings->ReadText("Config", "Language File", ""), "it_IT");
    EXPECT_EQ(Loaded(fixture)->Translate("Play"), "Riproduci");
}

TEST(Languages, LocaleNamesMapToSystemLanguageIdentifiers) {
    const std::pair<std::string_view, int> cases[] = {
        {"de_DE.UTF-8", 1031}, {"de_AT", 1031},      {"zh_TW.UTF-8", 1028}, {"zh_CN.GB18030", 2052},
        {"zh", 2052},          {"es_ES@euro", 3082}, {"cs_CZ", 1029},       {"ja_JP.eucJP", 1041},
        {"C", 1033},           {"POSIX", 1033},      {"C.UTF-8", 1033},     {"xx_YY", 1033},
    };
    for (const auto& [locale, identifier] : cases) {
        EXPECT_EQ(LanguageIdentifierOfLocale(locale), identifier) << locale;
    }
    EXPECT_EQ(LanguageCodeForSystemLanguage(1029), "cz_CZ");
    EXPECT_EQ(LanguageCodeForSystemLanguage(3082), "es_ES");
    EXPECT_EQ(LanguageCodeForSystemLanguage(1042), "en_US");
}

} // namespace
} // namespace korvex
