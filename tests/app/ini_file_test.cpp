#include "app/ini_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

struct LookupCase {
    std::string_view file;
    std::string_view section;
    std::string_view key;
    std::optional<std::string> expected;
};

TEST(IniFile, LooksUpKeysWithProfileRules) {
    const LookupCase cases[] = {
        {"[Config]\nUIMode=2\n", "Config", "UIMode", "2"},
        {"[CONFIG]\nuimode=2\n", "config", "UIMODE", "2"},
        {"  [ Config ]  \n  UIMode   =   2  \n", "Config", "UIMode", "2"},
        {"[Config]\nkey=a=b\n", "Config", "key", "a=b"},
        {"[Config]\nkey=first\nkey=second\n", "Config", "key", "first"},
        {"[Config]\nkey=\n", "Config", "key", ""},
        {"[Config]\nother=1\n", "Config", "key", std::nullopt},
        {"[Other]\nkey=1\n", "Config", "key", std::nullopt},
        {"key=outside\n[Config]\n", "Config", "key", std::nullopt},
        {"[Config]\n;key=commented\n", "Config", "key", std::nullopt},
        {"[Config]\r\nkey=crlf\r\n", "Config", "key", "crlf"},
        {"[Language String]\nGoogle Map Key : =Clave de Google : \n", "Language String",
         "Google Map Key : ", "Clave de Google :"},
        {"[Language String]\nSave Error, try again=Fehler, nochmal\n", "Language String",
         "Save Error, try again", "Fehler, nochmal"},
        {"\xEF\xBB\xBF[Config]\nkey=bom\n", "Config", "key", "bom"},
        {"[Config]\nkey=no newline at end", "Config", "key", "no newline at end"},
        {"[Unclosed\nkey=1\n", "Unclosed", "key", "1"},
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(IniFile::Parse(c.file).Get(c.section, c.key), c.expected) << c.file;
    }
}

TEST(IniFile, ReadsUtf16LittleEndianWithMark) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : std::u16string(u"[Language String]\r\nPlay=Wiedergabe \u00E4\r\n")) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    EXPECT_EQ(IniFile::Parse(bytes).Get("Language String", "Play"), "Wiedergabe \xC3\xA4");
}

TEST(IniFile, RewriteChangesOnlyTheKeysSet) {
    IniFile file = IniFile::Parse("; written by hand\r\n"
                                  "[Config]\r\n"
                                  "UIMode = 1\r\n"
                                  "Custom=kept\r\n"
                                  "\r\n"
                                  "[Other]\r\n"
                                  "x=y\r\n");
    file.Set("config", "uimode", "2");
    file.Set("Config", "DisplayMode", "0");
    file.Set("New", "key", "value");
    EXPECT_EQ(file.Serialize(), "; written by hand\r\n"
                                "[Config]\r\n"
                                "uimode=2\r\n"
                                "Custom=kept\r\n"
                                "DisplayMode=0\r\n"
                                "\r\n"
                                "[Other]\r\n"
                                "x=y\r\n"
                                "[New]\r\n"
                                "key=value\r\n");
}

// A line break in a name or a value, or an '=' in a key, would add keys of its own: refused.
TEST(IniFile, RefusesWhatWouldAddLines) {
    IniFile file = IniFile::Parse("[Config]\nSnapshot Path=/old/\n");
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Config", "Snapshot Path", "/new/\nUIMode=2"},
        {"Config", "Snapshot Path", "/new/\r"},
        {"Config", "UIMode\nDisplayMode", "1"},
        {"Config", "UIMode=2", "1"},
        {"Config]\n[Other", "UIMode", "1"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(file.Set(c.section, c.key, c.value)) << c.key << " " << c.value;
    }
    EXPECT_EQ(file.Serialize(), "[Config]\nSnapshot Path=/old/\n");
    EXPECT_TRUE(file.Set("Config", "Snapshot Path", "/new/"));
    EXPECT_EQ(file.Get("Config", "Snapshot Path"), "/new/");
}

TEST(IniFile, MissingFileReadsEmptyAndIsCreatedOnSave) {
    test::TempDir dir;
    IniFile file = IniFile::Load(dir / "Config.ini");
    EXPECT_EQ(file.Get("Config", "UIMode"), std::nullopt);
    file.Set("Config", "UIMode", "1");
    ASSERT_FALSE(file.Save(dir / "Config.ini"));
    EXPECT_EQ(test::ReadFile(dir / "Config.ini"), "[Config]\nUIMode=1\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << "no temporary file is left beside it";
}

TEST(IniFile, KeepsUtf8MarkOnRewrite) {
    IniFile file = IniFile::Parse("\xEF\xBB\xBF[Config]\nkey=1\n");
    file.Set("Config", "key", "2");
    EXPECT_EQ(file.Serialize(), "\xEF\xBB\xBF[Config]\nkey=2\n");
}

TEST(IniFile, SaveReportsAFolderThatCannotBeWritten) {
    EXPECT_TRUE(IniFile().Save("/nonexistent-folder/Config.ini"));
}

TEST(ProfileInt, TakesSignAndLeadingDigits) {
    const std::pair<std::string_view, int> cases[] = {
        {"42", 42},        {"-7", -7},
        {"12abc", 12},     {"abc", 0},
        {"-", 0},          {"", 0},
        {"+5", 0},         {"007", 7},
        {"4294967297", 1}, {"-2147483648", INT32_MIN},
        {"3.9", 3},        {"2147483647", INT32_MAX},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseProfileInt(text), expected) << text;
    }
}

} // namespace
} // namespace korvex
