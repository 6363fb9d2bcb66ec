#include "temp_dir.h"
#include "ui/playing_file_copy.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace korvex {
namespace {

namespace fs = std::filesystem;

class PlayingFileCopy : public testing::Test {
protected:
    // Every name in the folder, to see that nothing was left beside the target.
    std::vector<std::string> Names(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::ranges::sort(names);
        return names;
    }

    test::TempDir dir_;
    fs::path source_ = test::WriteFile(dir_ / "card/REC_0001.ts", std::string(300000, 'G'));
};

TEST_F(PlayingFileCopy, ReplacesTheTargetWithAWholeCopy) {
    const fs::path target = test::WriteFile(dir_ / "out/kept.ts", "old");
    EXPECT_EQ(CopyPlayingFile(source_, target), "");
    EXPECT_EQ(test::ReadFile(target), test::ReadFile(source_));
    EXPECT_EQ(Names(dir_ / "out"), std::vector<std::string>{"kept.ts"});
}

TEST_F(PlayingFileCopy, NeverCopiesAFileOntoItself) {
    fs::create_directories(dir_ / "out");
    fs::create_symlink(source_, dir_ / "out/link.ts");
    fs::create_hard_link(source_, dir_ / "out/hard.ts");
    for (const fs::path& target :
         {source_, dir_ / "card/../card/REC_0001.ts", dir_ / "out/link.ts", dir_ / "out/hard.ts"}) {
        EXPECT_EQ(CopyPlayingFile(source_, target),
                  "cannot copy " + source_.string() + " onto itself")
            << target;
    }
    EXPECT_EQ(test::ReadFile(source_), std::string(300000, 'G'));
}

TEST_F(PlayingFileCopy, AFailureNamesTheFileAndLeavesTheOldTargetAlone) {
    const fs::path target = test::WriteFile(dir_ / "out/kept.ts", "old");
    // A folder opens for reading but fails on the first read: a copy that fails half-way.
    fs::create_directories(dir_ / "card/folder.ts");
    EXPECT_EQ(CopyPlayingFile(dir_ / "card/folder.ts", target),
              "cannot read " + (dir_ / "card/folder.ts").string() + ": Is a directory");
    EXPECT_EQ(CopyPlayingFile(dir_ / "card/gone.ts", target),
              "cannot read " + (dir_ / "card/gone.ts").string() + ": No such file or directory");
    EXPECT_EQ(CopyPlayingFile(source_, dir_ / "missing/x.ts"),
              "cannot write " + (dir_ / "missing/x.ts").string() + ": No such file or directory");
    EXPECT_EQ(test::ReadFile(target), "old");
    EXPECT_EQ(Names(dir_ / "out"), std::vector<std::string>{"kept.ts"});
}

} // namespace
} // namespace korvex
