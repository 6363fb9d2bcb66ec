#include "camera/card_volume.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;

TEST(VolumeHolding, TakesTheDeepestMountPointByWholeComponents) {
    test::TempDir dir;
    const std::string card = (dir / "media/u/CARD").string();
    const std::string card2 = (dir / "media/u/CARD2").string();
    const std::string inner = (dir / "media/u/CARD/inner").string();
    for (const std::string& point : {card, card2, inner}) {
        fs::create_directories(point);
    }
    fs::create_directory_symlink(card2, dir / "shortcut");
    const std::vector<std::string> points{card, card2, inner};
    EXPECT_EQ(VolumeHolding(card + "/DCIM/REC_0001.ts", points), card);
    EXPECT_EQ(VolumeHolding(card2 + "/REC_0001.ts", points), card2); // not "CARD" by its text
    EXPECT_EQ(VolumeHolding(inner + "/REC_0001.ts", points), inner);
    EXPECT_EQ(VolumeHolding(dir / "shortcut/REC_0001.ts", points), card2);
    EXPECT_EQ(VolumeHolding(dir / "elsewhere/REC_0001.ts", points), "");
}

TEST(WhyNotFormattable, OnlyARemovableVolumeThatHoldsNeitherRootNorHome) {
    const std::vector<std::string> removable{"/media/u/CARD", "/", "/home"};
    const struct {
        std::string mount_point;
        std::string reason;
    } cases[] = {
        {"/media/u/CARD", ""},
        {"/media/u/OTHER", "it is not a removable volume"},
        {"/", "it holds the system's root file system"},
        {"/home", "it holds the home folder"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WhyNotFormattable(c.mount_point, removable, "/home/u"), c.reason)
            << c.mount_point;
    }
}

} // namespace
} // namespace korvex
