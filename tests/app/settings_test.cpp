#include "app/decimal_text.h"
#include "settings_fixture.h"

#include <gtest/gtest.h>
#include <limits>

namespace korvex {
namespace {

using test::ReadFile;
using test::SettingsFixture;

TEST(Settings, WithoutConfigFileUsesDefaultsAndSaveWritesTheNineKeys) {
    SettingsFixture fixture;
    auto settings = fixture.MakeSettings();
    settings->Load(1920, 1080);
    EXPECT_EQ(settings->ui_mode_in_use, 2);
    EXPECT_EQ(settings->snapshot_folder,
              (fixture.ConfigFile().parent_path() / "Pictures" / "Capture" / "").string());
    EXPECT_DOUBLE_EQ(settings->default_longitude, 120.528903);
    EXPECT_DOUBLE_EQ(settings->default_latitude, 24.077715);
    EXPECT_EQ(settings->sound_amplification, 1);

    ASSERT_FALSE(settings->Save());
    EXPECT_EQ(ReadFile(fixture.ConfigFile()), "[Config]\n"
                                              "Snapshot Path=" +
                                                  settings->snapshot_folder +
                                                  "\n"
                                                  "UIMode=2\n"
                                                  "m_default_lng=120.528903\n"
                                                  "m_default_lat=24.077715\n"
                                                  "DisplayMode=0\n"
                                                  "UnitOfSpeed=0\n"
                                                  "m_dSoundAmplification=1\n"
                                                  "m_imagetype=0\n"
                                                  "m_contishoot=0\n");
}

TEST(Settings, ReadsEveryKeyAndKeepsWhatItDoesNotWrite) {
    SettingsFixture fixture;
    fixture.WriteConfig("; mine\n"
                        "[Config]\n"
                        "Language File=de_DE\n"
                        "Snapshot Path=/media/shots\n"
                        "UIMode=1\n"
                        "m_default_lng=-73.985130\n"
                        "m_default_lat= 40.758896 \n"
                        "DisplayMode=1\n"
                        "UnitOfSpeed=2\n"
                        "m_dSoundAmplification=10\n"
                        "m_imagetype=1\n"
                        "m_contishoot=-4\n"
                        "GPS_Offset_Auto=0\n"
                        "[Window]\n"
                        "x=3\n");
    auto settings = fixture.MakeSettings();
    settings->Load(1280, 800);
    EXPECT_EQ(settings->snapshot_folder, "/media/shots");
    EXPECT_EQ(settings->ui_mode_in_use, 1);
    EXPECT_DOUBLE_EQ(settings->default_longitude, -73.98513);
    EXPECT_DOUBLE_EQ(settings->default_latitude, 40.758896);
    EXPECT_EQ(settings->display_mode, 1);
    EXPECT_EQ(settings->unit_of_speed, 2);
    EXPECT_EQ(settings->sound_amplification, 10);
    EXPECT_EQ(settings->image_type, 1);
    EXPECT_EQ(settings->continuous_shooting_count, -4) << "consumers treat values below 1";

    settings->default_longitude = 121.5;
    ASSERT_FALSE(settings->Save());
    const std::string saved = ReadFile(fixture.ConfigFile());
    EXPECT_NE(saved.find("; mine\n[Config]\nLanguage File=de_DE\n"), std::string::npos);
    EXPECT_NE(saved.find("m_default_lng=121.500000\n"), std::string::npos);
    EXPECT_NE(saved.find("GPS_Offset_Auto=0\n[Window]\nx=3\n"), std::string::npos);
    EXPECT_EQ(saved.find("GPS_Offset_X"), std::string::npos);
}

struct UiModeCase {
    std::string_view configured; // empty: no key
    int width;
    int height;
    int expected;
};

TEST(Settings, FitsTheUiModeToTheScreenAndSavesTheFittedValue) {
    const UiModeCase cases[] = {
        {"", 1920, 1080, 2},  {"", 1280, 1024, 1},  {"", 1024, 768, 0},   {"2", 1280, 1024, 1},
        {"1", 1024, 768, 0},  {"5", 1920, 1080, 2}, {"-3", 1280, 800, 1}, {"0", 1920, 1200, 0},
        {"2", 1919, 1080, 1}, {"1", 1280, 799, 0},  {"x", 2560, 1440, 0},
    };
    for (const UiModeCase& c : cases) {
        SettingsFixture fixture;
        if (!c.configured.empty()) {
            fixture.WriteConfig("[Config]\nUIMode=" + std::string(c.configured) + "\n");
        }
        auto settings = fixture.MakeSettings();
        settings->Load(c.width, c.height);
        EXPECT_EQ(settings->ui_mode_in_use, c.expected) << c.configured << " " << c.width;
        ASSERT_FALSE(settings->Save());
        EXPECT_EQ(settings->ReadInt("Config", "UIMode", -99), c.expected);
    }
}

TEST(Settings, ChosenUiModeTakesEffectOnlyThroughSave) {
    SettingsFixture fixture;
    auto settings = fixture.MakeSettings();
    settings->Load(1920, 1080);
    settings->ui_mode_chosen = 0;
    EXPECT_EQ(settings->ui_mode_in_use, 2);
    ASSERT_FALSE(settings->Save());
    EXPECT_EQ(settings->ReadInt("Config", "UIMode", -1), 0);
}

TEST(Settings, ReadTextAndReadIntFallBackOnMissingOrEmptyValues) {
    SettingsFixture fixture;
    fixture.WriteConfig("[Config]\nempty=\nnumber=12abc\nword=abc\nlong=" + std::string(300, 'x') +
                        "\n");
    auto settings = fixture.MakeSettings();
    EXPECT_EQ(settings->ReadText("Config", "empty", "fallback"), "fallback");
    EXPECT_EQ(settings->ReadText("Config", "missing", "fallback"), "fallback");
    EXPECT_EQ(settings->ReadText("Config", "long", ""), std::string(259, 'x'));
    EXPECT_EQ(settings->ReadInt("Config", "empty", 5), 5);
    EXPECT_EQ(settings->ReadInt("Config", "missing", 5), 5);
    EXPECT_EQ(settings->ReadInt("Config", "number", 5), 12);
    EXPECT_EQ(settings->ReadInt("Config", "word", 5), 0);
}

TEST(Settings, WriteCreatesFolderFileAndSection) {
    SettingsFixture fixture;
    auto settings = std::make_unique<CSettings>(SettingsLocations{
        fixture.ConfigFile().parent_path(),
        fixture.ConfigFile().parent_path() / "xdg" / "korvex" / "Config.ini", "/tmp/", 1033});
    ASSERT_FALSE(settings->WriteInt("Config", "UIMode", 1));
    ASSERT_FALSE(settings->WriteText("Config", "Snapshot Path", "/home/me/shots/"));
    EXPECT_EQ(ReadFile(settings->Locations().config_file),
              "[Config]\nUIMode=1\nSnapshot Path=/home/me/shots/\n");
}

TEST(DecimalText, ParsesLikeTheStandardConversionWithAPoint) {
    const std::pair<std::string_view, double> cases[] = {
        {"120.528903", 120.528903},
        {"  -0.5", -0.5},
        {"+3", 3},
        {"abc", 0},
        {"", 0},
        {"12.5abc", 12.5},
        {"1,5", 1},
        {".25", 0.25},
        {"--1", 0},
        {"inf", 0},
        {"1e2", 100},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_DOUBLE_EQ(ParseDecimal(text), expected) << text;
    }
    EXPECT_EQ(FormatDecimal(120.528903), "120.528903");
    EXPECT_EQ(FormatDecimal(-0.0000004), "-0.000000");
    EXPECT_EQ(FormatDecimal(0), "0.000000");
    // The largest values need every digit: each is written in full and reads back.
    for (const double large : {1e300, -std::numeric_limits<double>::max()}) {
        const std::string text = FormatDecimal(large);
        EXPECT_TRUE(text.ends_with(".000000")) << text;
        EXPECT_EQ(ParseDecimal(text), large) << text;
    }
}

} // namespace
} // namespace korvex
