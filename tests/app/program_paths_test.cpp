// Where the program's data and its configuration are found, in the build tree and installed.

#include "app/program_paths.h"
#include "temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;

TEST(ProgramPathsTest, DataLieBesideABuildTreeProgramAndInShareWhenInstalled) {
    test::TempDir dir;
    fs::create_directories(dir / "build" / "bin");
    fs::create_directories(dir / "prefix" / "bin");
    fs::create_directories(dir / "prefix" / "share" / "korvex");
    fs::create_directories(dir / "lonely" / "bin");
    const struct {
        fs::path executable_folder;
        fs::path data_folder;
    } cases[] = {
        {dir / "build" / "bin", dir / "build" / "bin"},
        {dir / "prefix" / "bin", dir / "prefix" / "share" / "korvex"},
        // A bin/ folder without the shared data beside it is a build tree, however named.
        {dir / "lonely" / "bin", dir / "lonely" / "bin"},
        // The data folder found once is found again from itself.
        {dir / "prefix" / "share" / "korvex", dir / "prefix" / "share" / "korvex"},
    };
    for (const auto& [executable_folder, data_folder] : cases) {
        EXPECT_EQ(ProgramDataFolder(executable_folder), data_folder) << executable_folder;
    }
    EXPECT_TRUE(IsInstalledDataFolder(dir / "prefix" / "share" / "korvex"));
    EXPECT_FALSE(IsInstalledDataFolder(dir / "build" / "bin"));
}

TEST(ProgramPathsTest, ConfigLiesBesideABuildTreeProgramAndInTheUserFolderWhenInstalled) {
    test::TempDir dir;
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string saved_value = saved != nullptr ? saved : "";
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    fs::create_directories(dir / "build" / "bin");
    fs::create_directories(dir / "prefix" / "share" / "korvex");

    EXPECT_EQ(ConfigFileLocation(dir / "build" / "bin"), dir / "build" / "bin" / "Config.ini");
    // Writable or not, an installed program keeps its settings in the user's folder.
    EXPECT_EQ(ConfigFileLocation(dir / "prefix" / "share" / "korvex"),
              dir / "config" / "korvex" / "Config.ini");

    if (saved != nullptr) {
        ::setenv("XDG_CONFIG_HOME", saved_value.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

} // namespace
} // namespace korvex
