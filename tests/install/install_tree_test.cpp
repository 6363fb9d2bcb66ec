// `cmake --install` writes a tree that works: the programs in bin/, the data of the build's
// program folder in share/korvex/ where the installed programs find it, the desktop entry, the
// AppStream metadata, the MIME database's ".nts" and the icon; the build tree's programs keep
// finding their data beside them.

#include "command_output.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace korvex {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// korvex-cli info's "NAME<TAB>VALUE" lines, run with a home and a configuration folder of the
// test's own.
std::map<std::string, std::string> Info(const fs::path& program, const test::TempDir& dir) {
    const test::CommandOutput run = test::RunCommand("HOME=" + Quoted(dir / "home") +
                                                     " XDG_CONFIG_HOME=" + Quoted(dir / "config") +
                                                     " " + Quoted(program) + " info");
    EXPECT_EQ(run.status, 0) << program;
    std::map<std::string, std::string> fields;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            fields[line.substr(0, tab)] = line.substr(tab + 1);
        }
    }
    return fields;
}

bool Executable(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) &&
           (fs::status(path, error).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

class InstallTreeTest : public testing::Test {
protected:
    void SetUp() override {
        const test::CommandOutput install =
            test::RunCommand(std::string(KORVEX_CMAKE) + " --install " + Quoted(KORVEX_BUILD_DIR) +
                             " --prefix " + Quoted(prefix_) + " 2>&1");
        ASSERT_EQ(install.status, 0) << install.output;
    }

    test::TempDir dir_;
    const fs::path prefix_ = dir_ / "prefix";
    const fs::path data_ = prefix_ / "share" / "korvex";
};

TEST_F(InstallTreeTest, ProgramsDataDesktopEntryAndIconLieWhereTheDesktopLooks) {
    EXPECT_TRUE(Executable(prefix_ / "bin" / "korvex-cli"));
    EXPECT_EQ(Executable(prefix_ / "bin" / "korvex"), KORVEX_HAS_VIEWER);

    // Every data file of the build's program folder, the map page, its Leaflet and the logo
    // among them, and nothing of the build's own settings.
    const fs::path program_folder = KORVEX_PROGRAM_FOLDER;
    int data_files = 0;
    for (const char* folder : {"map", "Language"}) {
        if (!fs::exists(program_folder / folder)) {
            continue;
        }
        for (const auto& entry : fs::recursive_directory_iterator(program_folder / folder)) {
            if (entry.is_regular_file()) {
                const fs::path relative = fs::relative(entry.path(), program_folder);
                EXPECT_TRUE(fs::is_regular_file(data_ / relative)) << relative;
                ++data_files;
            }
        }
    }
    EXPECT_GE(data_files, 5); // mapdlg.htm and Leaflet's four files at least
    EXPECT_TRUE(fs::is_regular_file(data_ / "map" / "mapdlg.htm"));
    EXPECT_EQ(fs::exists(data_ / "offset_min.bin"), fs::exists(program_folder / "offset_min.bin"));
    EXPECT_FALSE(fs::exists(data_ / "Config.ini"));
    // The language files, as the build copies them beside the programs.
    for (const auto& file :
         fs::directory_iterator(fs::path(KORVEX_SOURCE_DIR) / "data" / "Language")) {
        const fs::path installed = data_ / "Language" / file.path().filename();
        EXPECT_TRUE(fs::is_regular_file(installed)) << installed;
        EXPECT_EQ(test::ReadFile(installed), test::ReadFile(file.path())) << installed;
    }

    const fs::path entry = prefix_ / "share" / "applications" / "org.korvex.Korvex.desktop";
    const test::CommandOutput validate =
        test::RunCommand("desktop-file-validate " + Quoted(entry) + " 2>&1");
    EXPECT_EQ(validate.status, 0) << validate.output;
    EXPECT_EQ(validate.output, "");
    const std::string text = test::ReadFile(entry);
    for (const char* line : {"Name=Korvex\n", "Exec=korvex %f\n", "Icon=korvex\n",
                             "MimeType=video/mp2t;\n", "Categories=AudioVideo;Video;Player;\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    const fs::path icon_source = fs::path(KORVEX_SOURCE_DIR) / "data" / "icons" / "korvex.svg";
    const fs::path icon =
        prefix_ / "share" / "icons" / "hicolor" / "scalable" / "apps" / "korvex.svg";
    EXPECT_EQ(fs::exists(icon), fs::exists(icon_source));
}

// What software centres and file managers read: the AppStream metadata of the desktop entry, and
// ".nts" recordings known to the MIME database as the transport streams the entry opens.
TEST_F(InstallTreeTest, AppStreamMetadataValidatesAndNtsRecordingsAreTransportStreams) {
    const fs::path metainfo = prefix_ / "share" / "metainfo" / "org.korvex.Korvex.metainfo.xml";
    const test::CommandOutput validate =
        test::RunCommand("appstreamcli validate --no-net " + Quoted(metainfo) + " 2>&1");
    EXPECT_EQ(validate.status, 0) << validate.output;
    const std::string text = test::ReadFile(metainfo);
    for (const std::string line :
         {"<id>org.korvex.Korvex</id>",
          "<launchable type=\"desktop-id\">org.korvex.Korvex.desktop</launchable>",
          "<mediatype>video/mp2t</mediatype>", "<release version=\"" KORVEX_VERSION "\""}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_TRUE(
        fs::is_regular_file(prefix_ / "share" / "applications" / "org.korvex.Korvex.desktop"));

    EXPECT_TRUE(fs::is_regular_file(prefix_ / "share" / "mime" / "packages" / "korvex-mime.xml"));
    const std::string globs = test::ReadFile(prefix_ / "share" / "mime" / "globs2");
    EXPECT_NE(globs.find(":video/mp2t:*.nts\n"), std::string::npos) << globs;
}

TEST_F(InstallTreeTest, InstalledProgramFindsItsDataInShareAndTheBuildTreeOneBesideIt) {
    std::map<std::string, std::string> installed = Info(prefix_ / "bin" / "korvex-cli", dir_);
    EXPECT_EQ(installed["program folder"], (data_ / "").string());
    EXPECT_EQ(installed["configuration"], (dir_ / "config" / "korvex" / "Config.ini").string());

    std::map<std::string, std::string> built = Info(KORVEX_CLI, dir_);
    EXPECT_EQ(built["program folder"], (fs::path(KORVEX_PROGRAM_FOLDER) / "").string());
    EXPECT_EQ(built["configuration"], (fs::path(KORVEX_PROGRAM_FOLDER) / "Config.ini").string());
}

} // namespace
} // namespace korvex
