// korvex-cli export: the clip of the marks given on the command line, the mode chosen by the
// output's name, the AVI format from the recording or from --fps and --size, the progress bar,
// the finish text and the exit status; a disk that fills up (a child with a file-size limit).

#include "card_inspection.h"
#include "clip_model.h"
#include "outside_judges.h"
#include "shared_card.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using mkcard::Quoted;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Recordings at 60 pictures per second, which an AVI clip takes over.
const test::SharedCard& Card() {
    static const test::SharedCard card([] {
        mkcard::CardOptions options;
        options.count = 2;
        options.seconds = 3;
        options.fps = 60;
        options.gop = 60;
        return options;
    }());
    return card;
}

std::string Recording(int index) {
    return Card().Recording(index);
}

// Runs the command with `arguments`; `before` runs first in the same shell.
CliRun Export(const std::string& arguments, const std::string& before = "") {
    const auto err = Card() / "stderr.txt";
    const mkcard::CommandResult result = mkcard::RunCommand(
        before + "exec " + std::string(KORVEX_CLI) + " export " + arguments + " 2>" + Quoted(err));
    return {result.status, result.output, test::ReadFile(err)};
}

TEST(CliExport, TransportStreamClipOfTheMarksGiven) {
    const auto whole = Card() / "whole.nts";
    CliRun run = Export("--in " + Quoted(Recording(0)) + " --out " + Quoted(Recording(1)) + " " +
                        Quoted(whole));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, whole.string() + " Finish Backup\n");
    EXPECT_NE(run.err.find("] 100%"), std::string::npos) << run.err;
    EXPECT_TRUE(test::ReadFile(whole) ==
                test::ReadFile(Recording(0)) + test::ReadFile(Recording(1)))
        << "without positions: both recordings whole";

    // Relative paths with positions: the recordings are still recognised by the rule.
    const auto part = Card() / "part.avi.ts";
    const std::string in = Recording(0) + ":100000";
    const std::string out = (Card().Card().folder / ".." / Card().Card().folder.filename() /
                             std::filesystem::path(Recording(1)).filename())
                                .string() +
                            ":50000";
    run = Export("--in " + Quoted(in) + " --out " + Quoted(out) + " " + Quoted(part));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(test::ReadFile(part) ==
                test::ExpectedTsClip({Recording(0), Recording(1)},
                                     {Recording(0), 100000, Recording(1), 50000}));
}

TEST(CliExport, AviClipTakesItsFormatFromTheRecordingOrTheOptions) {
    const auto measured = Card() / "measured.AVI";
    CliRun run = Export("--in " + Quoted(Recording(0)) + " --out " + Quoted(Recording(0)) + " " +
                        Quoted(measured));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, measured.string() + " Finish Backup\n");
    auto streams = test::ProbeStreams(measured);
    EXPECT_EQ(streams.at("streams.stream.0.r_frame_rate"), "60/1");
    EXPECT_EQ(streams.at("streams.stream.0.nb_read_packets"),
              std::to_string(Card().Written(0).pictures));
    std::string file = test::ReadFile(measured);
    EXPECT_EQ(test::U32At(file, test::FindChunk(file, "strf") + 12), 320u);
    EXPECT_EQ(test::U32At(file, test::FindChunk(file, "strf") + 16), 180u);

    const auto given = Card() / "given.avi";
    run = Export("--fps 2 --size 1x1 --in " + Quoted(Recording(0)) + " --out " +
                 Quoted(Recording(0) + ":200000") + " " + Quoted(given));
    EXPECT_EQ(run.status, 0) << run.err;
    file = test::ReadFile(given);
    const std::size_t strh = test::FindChunk(file, "strh") + 8;
    EXPECT_EQ(test::U32At(file, strh + 20), 1000u);
    EXPECT_EQ(test::U32At(file, strh + 24), 2000u);
    EXPECT_EQ(test::U32At(file, test::FindChunk(file, "strf") + 28), 4u);
}

// A file-size limit makes every write past it fail (SIGXFSZ ignored, as a full disk would).
TEST(CliExport, DiskThatFillsUp) {
    for (const char* name : {"full.nts", "full.avi"}) {
        SCOPED_TRACE(name);
        const auto output = Card() / name;
        const CliRun run = Export("--in " + Quoted(Recording(0)) + " --out " +
                                      Quoted(Recording(1)) + " " + Quoted(output),
                                  "trap '' XFSZ; ulimit -f 64; ");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(output.string() + " Backup failed: cannot write " + output.string() +
                               ": File too large"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.err.find("Finish Backup"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(output)) << "a failed clip is removed";
    }
}

TEST(CliExport, ArgumentsThatMakeNoClip) {
    const std::string clip = Quoted(Card() / "x.nts");
    const struct {
        std::string arguments;
        int status;
    } cases[] = {
        {"--in " + Quoted(Recording(0)) + " " + clip, 2}, // no --out
        {"--in " + Quoted(Recording(1)) + " --out " + Quoted(Recording(0)) + " " + clip, 2},
        {"--in " + Quoted(Recording(0) + ":900") + " --out " + Quoted(Recording(0) + ":800") + " " +
             clip,
         2},
        {"--fps 0 --in " + Quoted(Recording(0)) + " --out " + Quoted(Recording(0)) + " " + clip, 2},
        {"--in " + Quoted(Card() / "none.ts") + " --out " + Quoted(Recording(0)) + " " + clip, 1},
    };
    for (const auto& c : cases) {
        const CliRun run = Export(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
        EXPECT_FALSE(std::filesystem::exists(Card() / "x.nts"));
    }
}

} // namespace
} // namespace korvex
