#include "camera/camera_settings_file.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace korvex {
namespace {

const std::string kDefaults2015("\xD5\x5B\x8E\x8F\x02\x36\x7D\xFB\x70\x50\x02\x04\x84\x02\x00\xFD",
                                16);

CameraSettings Marked() {
    CameraSettings settings;
    settings.language = 5;
    return settings;
}

TEST(CameraSettingsFile, Read) {
    const struct {
        const char* name;
        std::string bytes;
        bool accepted;
    } cases[] = {
        {"16 bytes", kDefaults2015, true},
        {"17 bytes: read from the first 16", kDefaults2015 + '\x7F', true},
        {"15 bytes", kDefaults2015.substr(0, 15), false},
        {"empty", "", false},
        {"CRC does not match", std::string(1, '\0') + kDefaults2015.substr(1), false},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CameraSettings settings = Marked();
        EXPECT_EQ(ReadCameraSettings(test::WriteFile(dir / "usrset.dat", c.bytes), settings),
                  c.accepted);
        EXPECT_EQ(settings.language, c.accepted ? 0u : 5u);
        if (c.accepted) {
            EXPECT_EQ(settings.year, 2015u);
            EXPECT_EQ(settings.minute, 59u);
        }
    }
    CameraSettings settings = Marked();
    EXPECT_FALSE(ReadCameraSettings(dir / "missing.dat", settings));
    EXPECT_FALSE(ReadCameraSettings(dir.path(), settings));
    EXPECT_EQ(settings, Marked());
}

TEST(CameraSettingsFile, WriteReplacesTheFileAndLeavesNothingBeside) {
    test::TempDir dir;
    const auto path = test::WriteFile(dir / "usrset.dat", "old settings, longer than sixteen");
    const CameraSettings settings{.year = 2015, .month = 6, .day = 15, .hour = 23, .minute = 59};
    ASSERT_TRUE(WriteCameraSettings(path, settings));
    EXPECT_EQ(test::ReadFile(path), kDefaults2015);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
    CameraSettings read_back = Marked();
    ASSERT_TRUE(ReadCameraSettings(path, read_back));
    EXPECT_EQ(read_back, settings);
}

TEST(CameraSettingsFile, RewriteKeepsOutOfRangeValuesAndMarksTheFile) {
    // language 15 and marker 0xFC, with a matching CRC, as an older writer left it.
    const std::string older("\x0F\x78\x83\x96\xF0\x01\x08\x00\x70\x50\x02\x04\x84\x02\x00\xFC", 16);
    test::TempDir dir;
    const auto path = test::WriteFile(dir / "usrset.dat", older);
    CameraSettings settings;
    ASSERT_TRUE(ReadCameraSettings(path, settings));
    EXPECT_EQ(settings.language, 15u);
    ASSERT_TRUE(WriteCameraSettings(path, settings));
    const std::string rewritten = test::ReadFile(path);
    ASSERT_EQ(rewritten.size(), 16u);
    EXPECT_EQ(rewritten.substr(4, 11), older.substr(4, 11));
    EXPECT_EQ(rewritten.back(), '\xFD');
    CameraSettings read_back;
    ASSERT_TRUE(ReadCameraSettings(path, read_back));
    EXPECT_EQ(read_back, settings);
}

TEST(CameraSettingsFile, FailedWriteKeepsTheOldFile) {
    test::TempDir dir;
    EXPECT_FALSE(WriteCameraSettings(dir / "no such folder" / "usrset.dat", CameraSettings{}));

    const auto read_only = test::WriteFile(dir / "usrset.dat", kDefaults2015);
    std::filesystem::permissions(read_only, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(WriteCameraSettings(read_only, CameraSettings{}));
    EXPECT_EQ(test::ReadFile(read_only), kDefaults2015);
}

} // namespace
} // namespace korvex
