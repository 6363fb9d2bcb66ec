// korvex-mkcard's options mirror CardOptions: the program writes what the library writes.

#include "card_inspection.h"
#include "mkcard/card_arguments.h"
#include "mkcard/card_writer.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace korvex::mkcard {
namespace {

TEST(MkcardCliTest, ProgramWritesTheSameBytesAsTheLibraryWithTheSameOptions) {
    test::TempDir dir;
    const std::string arguments =
        "--count 2 --seconds=1 --seconds-of 1:2 --first-pts 8589889592 --size 160x90 --fps 60 "
        "--gop 15 --first-number 41 "
        "--name-format CAM%03d.ts --media-folder 101MEDIA --start '2023-12-31 23:59:30' --gap 4 "
        "--read-only 1 --no-fix 0:0-1 --tone-level 0.5 --tone-hz 440 --audio-frames-per-pes 3 "
        "--crf 30 --short-start-codes --nal-ref-idc 2 --garbage 1 --garbage-every 7 "
        "--garbage-bytes 5 --transport-error 0 "
        "--error-every 11 --truncate 1 --truncate-fraction 0.7 --quiet";
    const CommandResult run = RunCommand(std::string(KORVEX_MKCARD_PATH) + " " + arguments + " " +
                                         Quoted(dir / "cli") + " 2>&1");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "");

    CardOptions options;
    options.count = 2;
    options.seconds = 1;
    options.seconds_of = {{1, 2}};
    options.first_pts = 8589889592;
    options.width = 160;
    options.height = 90;
    options.fps = 60;
    options.gop = 15;
    options.first_number = 41;
    options.name_format = "CAM%03d.ts";
    options.media_folder = "101MEDIA";
    options.start_local_time = "2023-12-31 23:59:30";
    options.gap = 4;
    options.read_only = {1};
    options.no_fix = {{0, {{0, 1}}}};
    options.tone_level = 0.5;
    options.tone_hz = 440;
    options.audio_frames_per_pes = 3;
    options.crf = 30;
    options.short_start_codes = true;
    options.nal_ref_idc = 2;
    options.damage.garbage = {1};
    options.damage.garbage_every = 7;
    options.damage.garbage_bytes = 5;
    options.damage.transport_error = {0};
    options.damage.error_every = 11;
    options.damage.truncate = {1};
    options.damage.truncate_fraction = 0.7;
    const WrittenCard card = WriteCard(options, dir / "library");
    for (const WrittenRecording& recording : card.recordings) {
        const auto name = recording.path.filename();
        EXPECT_EQ(test::ReadFile(dir / "cli" / "DCIM" / "101MEDIA" / name),
                  test::ReadFile(recording.path))
            << name;
        EXPECT_EQ(std::filesystem::last_write_time(dir / "cli" / "DCIM" / "101MEDIA" / name),
                  std::filesystem::last_write_time(recording.path));
    }
    EXPECT_EQ(card.recordings[1].path.filename(), "CAM042.ts");
}

TEST(MkcardCliTest, HelpNamesEveryOptionAndBadArgumentsAreRefused) {
    const CommandResult help = RunCommand(std::string(KORVEX_MKCARD_PATH) + " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output, CardUsage());
    for (const char* option : {"--count",
                               "--seconds",
                               "--size",
                               "--fps",
                               "--gop",
                               "--first-number",
                               "--name-format",
                               "--media-folder",
                               "--start",
                               "--gap ",
                               "--gap-before",
                               "--read-only",
                               "--no-gps",
                               "--no-fix",
                               "--tone-level",
                               "--tone-hz",
                               "--audio-frames-per-pes",
                               "--crf",
                               "--camera-look",
                               "--no-usrset",
                               "--truncate ",
                               "--truncate-fraction",
                               "--garbage ",
                               "--garbage-every",
                               "--garbage-bytes",
                               "--transport-error",
                               "--error-every",
                               "--quiet",
                               "--help"}) {
        EXPECT_NE(help.output.find(option), std::string::npos) << option;
    }
    const struct {
        std::vector<const char*> arguments;
        const char* error_part;
    } bad[] = {
        {{"out", "--count", "x"}, "whole number"},
        {{"out", "--size", "320"}, "expected 'x'"},
        {{"out", "--size", "321x180"}, "even"},
        {{"out", "--bogus"}, "unknown option"},
        {{"out", "--read-only", "5"}, "file indexes"},
        {{"out", "--start", "yesterday"}, "start time"},
        {{"--count", "2"}, "no OUT"},
        {{"out", "--count"}, "needs a value"},
    };
    for (const auto& [arguments, error_part] : bad) {
        const CardArguments parsed = ParseCardArguments(arguments);
        EXPECT_NE(parsed.error.find(error_part), std::string::npos) << parsed.error;
    }
}

} // namespace
} // namespace korvex::mkcard
