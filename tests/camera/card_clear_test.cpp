#include "camera/card_clear.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;

class CardClear : public testing::Test {
protected:
    CardClear() {
        test::WriteFile(card() / "usrset.dat", "settings");
        test::WriteFile(card() / "DCIM/100MEDIA/REC_0001.ts", "recording");
        test::WriteFile(card() / "DCIM/100MEDIA/REC_0002.ts", "recording");
        fs::create_directories(card() / "DCIM/empty");
        test::WriteFile(outside() / "keep.txt", "not on the card");
    }
    fs::path card() const { return dir_ / "card"; }
    fs::path outside() const { return dir_ / "outside"; }

    test::TempDir dir_;
};

TEST_F(CardClear, DeletesEverythingOnTheCardButNotTheCardItself) {
    fs::permissions(card() / "DCIM/100MEDIA/REC_0001.ts",
                    fs::perms::owner_read | fs::perms::group_read);
    const ClearReport report = ClearCard(card());
    EXPECT_TRUE(report.Succeeded()) << report.first_failure;
    EXPECT_TRUE(fs::is_directory(card()));
    EXPECT_TRUE(fs::is_empty(card()));
}

TEST_F(CardClear, DeletesLinksWithoutFollowingThemOutOfTheCard) {
    fs::create_directory_symlink(outside(), card() / "DCIM/link_to_folder");
    fs::create_symlink(outside() / "keep.txt", card() / "link_to_file");
    const ClearReport report = ClearCard(card());
    EXPECT_TRUE(report.Succeeded()) << report.first_failure;
    EXPECT_TRUE(fs::is_empty(card()));
    EXPECT_EQ(test::ReadFile(outside() / "keep.txt"), "not on the card");
}

TEST_F(CardClear, AReadOnlyFolderKeepsItsContentAndTheRestGoes) {
    const fs::path locked = card() / "DCIM/LOCKED";
    test::WriteFile(locked / "REC_0003.ts", "protected");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    const ClearReport report = ClearCard(card());
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_FALSE(report.Succeeded());
    EXPECT_EQ(report.entries_left, 1U);
    EXPECT_EQ(report.first_failure, locked.string() + ": the folder is read-only");
    EXPECT_TRUE(fs::exists(locked / "REC_0003.ts"));
    EXPECT_FALSE(fs::exists(card() / "usrset.dat"));
    EXPECT_FALSE(fs::exists(card() / "DCIM/100MEDIA"));
}

TEST_F(CardClear, AMissingCardIsReportedNotCleared) {
    const ClearReport report = ClearCard(dir_ / "no card");
    EXPECT_EQ(report.entries_left, 1U);
    EXPECT_NE(report.first_failure.find("no card: "), std::string::npos);
}

} // namespace
} // namespace korvex
