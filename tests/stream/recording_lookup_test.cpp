#include "stream/folder_search.h"
#include "stream/recording_lookup.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(NumberOf, TakesTheDigitsBetweenTheLastUnderscoreAndTheLastDot) {
    struct Case {
        const char* path;
        int number;
    };
    const Case cases[] = {
        {"REC_0012.ts", 12},
        {"/media/u/CARD/DCIM/100MEDIA/FILE_20240101_0099.ts", 99},
        {"REC_12A.ts", -1},
        {"_5.ts", -1},           // the underscore is the first character
        {"DCIM/A_B/REC.ts", -1}, // "B/REC" is no number
        {"a_.ts", -1},
        {"REC_0012", -1},           // no dot
        {"dir.x/REC_7", -1},        // the last dot comes before the underscore
        {"REC_99999999999.ts", -1}, // too large
        {"REC_2147483647.ts", 2147483647},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberOf(c.path), c.number) << c.path;
    }
}

TEST(MatchesWildcard, MatchesLikeTheCardsFileSystems) {
    EXPECT_TRUE(MatchesWildcard("*13.ts", "REC_0013.ts"));
    EXPECT_TRUE(MatchesWildcard("*13.ts", "REC_0113.TS"));
    EXPECT_TRUE(MatchesWildcard("*MEDIA", "100media"));
    EXPECT_TRUE(MatchesWildcard("*.ts", ".ts"));
    EXPECT_TRUE(MatchesWildcard("a?c*", "abcdef"));
    EXPECT_FALSE(MatchesWildcard("*13.ts", "REC_0013.ts.part"));
    EXPECT_FALSE(MatchesWildcard("*.ts", "REC_0013.nts"));
    EXPECT_FALSE(MatchesWildcard("*MEDIA", "MEDIA2"));
}

class NeighbourLookup : public ::testing::Test {
protected:
    std::string Make(const std::string& name) {
        test::WriteFile(dir_ / name, "x");
        return folder_ + name;
    }
    test::TempDir dir_;
    std::string folder_ = dir_.path().string() + "/";
};

TEST_F(NeighbourLookup, FindsTheNumberBeforeAndAfterInTheSameFolder) {
    const std::string current = Make("REC_0099.ts");
    const std::string next = Make("REC_0100.ts");
    const std::string previous = Make("REC_0098.ts");
    Make("REC_0101.ts");
    std::filesystem::create_directory(dir_ / "X_0097.ts"); // a folder is no recording
    EXPECT_EQ(NextOf(current), next);
    EXPECT_EQ(PreviousOf(current), previous);
    EXPECT_EQ(PreviousOf(previous), "");
    EXPECT_EQ(NextOf(folder_ + "REC_0101.ts"), "");
}

TEST_F(NeighbourLookup, MatchesAnyNameEndingInTheNumber) {
    const std::string first = Make("REC_0000.ts");
    const std::string odd = Make("OLD-1.TS");
    EXPECT_EQ(PreviousOf(first), odd); // "*-1.ts"
    EXPECT_EQ(NextOf(folder_ + "NONUMBER.ts"), "");
    // The number after the largest one is 2147483648, not the most negative one (a pattern
    // "*-2147483648.ts" would miss this name).
    const std::string after_largest = Make("REC_2147483648.ts");
    EXPECT_EQ(NextOf(folder_ + "REC_2147483647.ts"), after_largest);
}

// Listed in any order, the recording with the very number wins over names that only end in its
// digits; other names ending in them still count when it is missing.
TEST_F(NeighbourLookup, PrefersTheVeryNumberToNamesEndingInItsDigits) {
    for (const char* name : {"REC_0112.ts", "REC_0012.ts", "REC_0002.ts", "REC_0022.ts"}) {
        Make(name);
    }
    const std::string first = Make("REC_0001.ts");
    EXPECT_EQ(NextOf(first), folder_ + "REC_0002.ts");
    EXPECT_EQ(NextOf(folder_ + "REC_0011.ts"), folder_ + "REC_0012.ts");
    EXPECT_EQ(PreviousOf(folder_ + "REC_0003.ts"), folder_ + "REC_0002.ts");
    EXPECT_EQ(NextOf(folder_ + "REC_0111.ts"), folder_ + "REC_0112.ts");
}

TEST_F(NeighbourLookup, FindsFilesAddedLater) {
    const std::string current = Make("REC_0001.ts");
    EXPECT_EQ(NextOf(current), "");
    const std::string next = Make("REC_0002.ts");
    EXPECT_EQ(NextOf(current), next);
}

} // namespace
} // namespace korvex
