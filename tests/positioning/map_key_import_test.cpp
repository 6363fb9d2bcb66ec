#include "positioning/map_key_import.h"
#include "positioning/map_page_choice.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

constexpr std::string_view kPage =
    "<script src=\"https://maps.example/js?v=3.exp\"></script>\r\n<p>v=3.again</p>\n<end>";

TEST(MapKeyImport, PutsTheKeyInFrontOfTheFirstVersionAndKeepsTheRest) {
    EXPECT_EQ(PageWithMapKey(kPage, "ABC"),
              "<script src=\"https://maps.example/js?key=ABC&v=3.exp\"></script>\r\n"
              "<p>v=3.again</p>\n<end>");
    EXPECT_EQ(PageWithMapKey("<p>no version</p>", "ABC"), "<p>no version</p>");
    // Within the last 16 bytes the version is left alone.
    EXPECT_EQ(PageWithMapKey("0123v=3.456789012345", "K"), "0123v=3.456789012345");
    EXPECT_EQ(PageWithMapKey("0123v=3.4567890123456", "K"), "0123key=K&v=3.4567890123456");
}

TEST(MapKeyImport, WritesThePageCreatingItsFolders) {
    test::TempDir dir;
    const auto output = dir / "a/b/map/mapdlg.htm";
    ASSERT_TRUE(ImportMapKey(kPage, output, "KEY"));
    EXPECT_EQ(test::ReadFile(output), PageWithMapKey(kPage, "KEY"));
}

TEST(MapKeyImport, AnUnwritableFolderIsReported) {
    test::TempDir dir;
    test::WriteFile(dir / "file", "not a folder");
    EXPECT_FALSE(ImportMapKey(kPage, dir / "file/map/mapdlg.htm", "KEY"));
}

TEST(MapPageChoice, TheUserFolderComesFirstThenTheDataFolder) {
    test::TempDir user;
    test::TempDir data;
    EXPECT_EQ(MapPageName(0), "map/mapdlg.htm");
    EXPECT_EQ(MapPageName(1), "map/mapdlg_baidu.htm");
    EXPECT_EQ(FindMapPage("map/mapdlg.htm", {user.path(), data.path()}), std::nullopt);
    test::WriteFile(data / "map/mapdlg.htm", "data");
    EXPECT_EQ(FindMapPage("map/mapdlg.htm", {user.path(), data.path()}), data / "map/mapdlg.htm");
    test::WriteFile(user / "map/mapdlg.htm", "user");
    EXPECT_EQ(FindMapPage("map/mapdlg.htm", {user.path(), data.path()}), user / "map/mapdlg.htm");
    EXPECT_EQ(FindMapPage("map/mapdlg_baidu.htm", {user.path(), data.path()}), std::nullopt);
}

TEST(MapPageChoice, TheKeyImportWritesWhereTheViewLooksFirst) {
    test::TempDir config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    EXPECT_EQ(UserMapPagePath(), config / "korvex/map/mapdlg.htm");
    EXPECT_EQ(MapPageFolders("/opt/korvex").front() / MapPageName(0), UserMapPagePath());
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace korvex
