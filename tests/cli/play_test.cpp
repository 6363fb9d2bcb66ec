// korvex-cli play: a channel driven from the command line, judged by the block codes of the
// pictures it reports.
#include "channel_rig.h"
#include "coded_pictures.h"
#include "command_output.h"
#include "engine/packet_record.h"
#include "mkcard/card_writer.h"
#include "shared_card.h"
#include "snapshot_files.h"
#include "temp_dir.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace korvex {
namespace {

using test::Code;
using test::CodesOf;
using test::Runs;

struct Picture {
    int type = 0;
    Code code;
};

struct PlayRun {
    int status = -1;
    std::vector<Picture> pictures;
    int new_routes = 0;
    std::map<std::string, std::string> summary;
    std::string text; // everything printed, for failures

    std::vector<Code> Codes() const {
        std::vector<Code> codes;
        for (const Picture& picture : pictures) {
            codes.push_back(picture.code);
        }
        return codes;
    }
};

PlayRun Parse(const test::CommandOutput& result) {
    PlayRun run{result.status, {}, 0, {}, result.output};
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) {
            fields.push_back(cell);
        }
        if (fields.size() == 7 && fields[0] == "PICTURE") {
            EXPECT_EQ(fields[1], std::to_string(run.pictures.size() + 1)) << line;
            run.pictures.push_back(
                {std::stoi(fields[2]), {std::stoi(fields[5]), std::stoi(fields[6])}});
        } else if (fields.size() == 2 && fields[0] == "MESSAGE" && fields[1] == "1132") {
            ++run.new_routes;
        } else if (!fields.empty() && fields[0] == "SUMMARY") {
            for (std::size_t i = 1; i < fields.size(); ++i) {
                const std::size_t equals = fields[i].find('=');
                run.summary[fields[i].substr(0, equals)] = fields[i].substr(equals + 1);
            }
        }
    }
    return run;
}

// The pictures of recordings [first, last] of the card in order, without the card's very last.
std::vector<Code> Through(const mkcard::WrittenCard& card, std::size_t first, std::size_t last,
                          int from_index = 0) {
    std::vector<Code> codes;
    for (std::size_t i = first; i <= last; ++i) {
        const auto& recording = card.recordings[i];
        const int end =
            i + 1 == card.recordings.size() ? recording.pictures - 1 : recording.pictures;
        const auto part = CodesOf(recording, i == first ? from_index : 0, end);
        codes.insert(codes.end(), part.begin(), part.end());
    }
    return codes;
}

// True when `codes` starts with a run of recording `number` from its picture 0 and then goes on
// as `rest`: what a move shows, the pictures before it first.
bool StartsThenGoesOn(const std::vector<Code>& codes, int number, const std::vector<Code>& rest) {
    std::size_t before = 0;
    while (before < codes.size() && codes[before] == Code{number, static_cast<int>(before)}) {
        ++before;
    }
    for (std::size_t kept = 0; kept <= before; ++kept) {
        if (std::equal(codes.begin() + static_cast<long>(kept), codes.end(), rest.begin(),
                       rest.end())) {
            return true;
        }
    }
    return false;
}

std::string LocalMinute(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

// Three recordings of 2 s (groups of 10 pictures), two minutes apart, so that each covers a
// minute of its own.
class CliPlay : public ::testing::Test {
protected:
    static const mkcard::WrittenCard& Card() {
        static const test::SharedCard card([] {
            mkcard::CardOptions options = mkcard::TinyCard(3, 2, 10);
            options.gap = 120;
            return options;
        }());
        return card.Card();
    }
    static std::string PathOf(std::size_t recording) {
        return Card().recordings[recording].path.string();
    }
    static PlayRun Play(const std::string& arguments, const std::string& environment = "") {
        return Parse(
            test::RunCommand(environment + " " + KORVEX_CLI + " play " + arguments + " 2>&1"));
    }
};

TEST_F(CliPlay, UnpacedPlaysEveryPictureOfTheFolderInOrderWithItsTypeAndASummary) {
    const PlayRun run = Play("'" + PathOf(0) + "' --unpaced --sound null");
    ASSERT_EQ(run.status, 0) << run.text;
    const auto expected = Through(Card(), 0, 2);
    EXPECT_EQ(Runs(run.Codes()), Runs(expected));
    for (const Picture& picture : run.pictures) {
        EXPECT_EQ(picture.type, picture.code.index % 10 == 0 ? kKeyPicture : kOtherPicture)
            << picture.code;
    }
    EXPECT_EQ(run.new_routes, 0); // moving on at the end of a recording starts no new route
    EXPECT_EQ(run.summary.at("pictures"), std::to_string(expected.size()));
    EXPECT_GT(std::stod(run.summary.at("pictures_per_second")), 0);
    EXPECT_EQ(run.summary.at("late"), "-");   // no due time of an unpaced run means anything
    EXPECT_EQ(run.summary.at("end"), "card"); // at once, without waiting for a quiet while
}

// Each command as the panel gives it, once the first picture is shown.
TEST_F(CliPlay, CommandsMoveThePlayAsThePanelDoes) {
    const auto& card = Card();
    const int second = card.recordings[1].number;
    struct Case {
        std::string arguments;
        int new_routes;
        std::string end; // why the run ended
        std::function<void(const std::vector<Code>& codes)> check;
    };
    const Case cases[] = {
        {"'" + PathOf(0) + "' --unpaced --sound null --pictures 7", 0, "pictures",
         [&](const auto& codes) { EXPECT_EQ(codes, CodesOf(card.recordings[0], 0, 7)); }},
        // Normal play shows a picture or two before the first step, and a step may hold on the
        // picture about to be counted when it came.
        {"'" + PathOf(0) + "' --sound null --step 3", 0, "steps",
         [&](const auto& codes) {
             EXPECT_GE(codes.size(), 3u);
             EXPECT_LE(codes.size(), 5u);
             EXPECT_EQ(codes, CodesOf(card.recordings[0], 0, static_cast<int>(codes.size())));
         }},
        {"'" + PathOf(0) + "' --sound null --pause-after 5", 0, "quiet",
         [&](const auto& codes) {
             EXPECT_GE(codes.size(), 5u);
             EXPECT_LE(codes.size(), 8u);
             EXPECT_EQ(codes, CodesOf(card.recordings[0], 0, static_cast<int>(codes.size())));
         }},
        {"'" + PathOf(0) + "' --unpaced --sound null --next", 1, "card",
         [&](const auto& codes) {
             EXPECT_TRUE(StartsThenGoesOn(codes, card.recordings[0].number, Through(card, 1, 2)))
                 << Runs(codes);
         }},
        {"'" + PathOf(1) + "' --unpaced --sound null --previous", 1, "card",
         [&](const auto& codes) {
             EXPECT_TRUE(StartsThenGoesOn(codes, second, Through(card, 0, 2))) << Runs(codes);
         }},
        {"'" + PathOf(0) + "' --sound null --pictures 15 --play-at '" +
             LocalMinute(card.recordings[2].start_time) + "'",
         1, "pictures",
         [&](const auto& codes) {
             ASSERT_FALSE(codes.empty());
             EXPECT_EQ(codes.back().number, card.recordings[2].number) << Runs(codes);
             EXPECT_TRUE(std::ranges::none_of(codes, [&](const Code& c) {
                 return c.number == second;
             })) << Runs(codes);
         }},
        // Backward, after the forward pictures shown first: key pictures only, each earlier than
        // the one before, into the first recording.
        {"'" + PathOf(1) + "' --unpaced --sound null --backward", 1, "card",
         [&](const auto& all) {
             const auto turn =
                 std::ranges::find_if(all, [&](const Code& c) { return c.number != second; });
             const std::vector<Code> codes(turn, all.end());
             ASSERT_GE(codes.size(), 3u) << Runs(all);
             for (std::size_t i = 0; i < codes.size(); ++i) {
                 EXPECT_EQ(codes[i].index % 10, 0) << Runs(all);
                 EXPECT_TRUE(i == 0 || std::pair(codes[i].number, codes[i].index) <
                                           std::pair(codes[i - 1].number, codes[i - 1].index))
                     << Runs(all);
             }
             EXPECT_EQ(codes.back().number, card.recordings[0].number) << Runs(all);
         }},
        // The fastest slider position decodes an eighth of every group: the key picture and,
        // once a whole group has been seen, the next one.
        {"'" + PathOf(0) + "' --unpaced --sound null --speed-slider 8", 0, "card",
         [&](const auto& codes) {
             std::vector<Code> shown;
             for (const Code& code : Through(card, 0, 2)) {
                 const int in_group = code.index % 10;
                 const bool first_group =
                     code.number == card.recordings[0].number && code.index < 10;
                 if (in_group == 0 || (in_group == 1 && !first_group)) {
                     shown.push_back(code);
                 }
             }
             EXPECT_EQ(Runs(codes), Runs(shown));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const PlayRun run = Play(c.arguments);
        EXPECT_EQ(run.status, 0) << run.text;
        EXPECT_EQ(run.new_routes, c.new_routes);
        EXPECT_EQ(run.summary.contains("end") ? run.summary.at("end") : "", c.end) << run.text;
        c.check(run.Codes());
    }
}

TEST_F(CliPlay, SnapshotGoesToTheConfiguredFolderAndHoldsAPictureShown) {
    test::TempDir pictures;
    const PlayRun run = Play("'" + PathOf(0) + "' --sound null --pictures 10 --snapshot",
                             "XDG_PICTURES_DIR='" + pictures.path().string() + "'");
    ASSERT_EQ(run.status, 0) << run.text;
    std::vector<std::filesystem::path> shots;
    for (const auto& entry : std::filesystem::directory_iterator(pictures.path() / "Capture")) {
        shots.push_back(entry.path());
    }
    ASSERT_EQ(shots.size(), 1u) << run.text;
    EXPECT_TRUE(shots[0].filename().string().ends_with("--001.bmp")) << shots[0];
    EXPECT_NE(run.text.find(shots[0].string()), std::string::npos) << run.text;
    const auto image = test::ReadImage(shots[0]);
    ASSERT_TRUE(image);
    const auto code = test::ReadBlockCode(*image);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->number, Card().recordings[0].number);
}

TEST_F(CliPlay, UnusableArgumentsAndSourcesAreRefusedWithAReason) {
    test::TempDir dir;
    const std::string text_file = (dir.path() / "notes.ts").string();
    test::WriteFile(text_file, "not a recording\n");
    const std::string recording = "'" + PathOf(0) + "'";
    struct Case {
        std::string arguments;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"", 2, "no recording given"},
        {"'" + (dir.path() / "missing.ts").string() + "'", 1, "cannot read"},
        {recording + " --sound loud", 2, "--sound takes pulse or null"},
        {recording + " --unpaced --sound pulse", 2, "give --sound null"},
        {recording + " --speed-slider 9", 2, "position 0-8"},
        {recording + " --seek 0", 2, "thousandths 1-1000"},
        {recording + " --next --previous", 2, "exclude each other"},
        {recording + " --play-at 2024-05-17", 2, "YYYY-MM-DD HH:MM"},
        {recording + " --play-at '2024-13-45 99:99'", 2, "valid local \"YYYY-MM-DD HH:MM\""},
        {recording + " --play-at '2023-02-29 10:00'", 2, "valid local \"YYYY-MM-DD HH:MM\""},
        {recording + " --play-at '2024-05-17 24:00'", 2, "valid local \"YYYY-MM-DD HH:MM\""},
        {"'" + text_file + "' --play-at '2024-05-17 10:00'", 2,
         "--play-at needs a recording whose name carries a number"},
        {recording + " --pictures", 2, "a value is missing"},
        {"'" + text_file + "' --unpaced --sound null", 1, "no picture was shown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const PlayRun run = Play(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.text.find(c.message), std::string::npos) << run.text;
        EXPECT_TRUE(run.pictures.empty());
    }
}

} // namespace
} // namespace korvex
