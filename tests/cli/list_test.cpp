#include "command_output.h"
#include "mkcard/card_writer.h"
#include "stream/card_folder.h"
#include "stream/linux/mount_table_volumes.h"
#include "temp_dir.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace korvex {
namespace {

struct Result {
    int exit_status = -1;
    std::string out;
    std::string err;
};

Result RunList(const test::TempDir& dir, const std::string& arguments) {
    const std::string err_file = (dir / "stderr.txt").string();
    const test::CommandOutput run =
        test::RunCommand(std::string(KORVEX_CLI) + " list " + arguments + " 2>'" + err_file + "'");
    return {run.status, run.output, test::ReadFile(err_file)};
}

// Times are local: a half-hour zone shows that the listing goes through the C library's local
// time, as the card's writer does.
class CliList : public ::testing::Test {
protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        saved_zone_ = zone ? std::optional<std::string>(zone) : std::nullopt;
        ::setenv("TZ", "IST-5:30", 1);
        ::tzset();
    }
    void TearDown() override {
        if (saved_zone_) {
            ::setenv("TZ", saved_zone_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    std::optional<std::string> saved_zone_;
};

TEST_F(CliList, PrintsTheRecordingsInNumericOrderWithLocalTimes) {
    test::TempDir dir;
    mkcard::CardOptions options;
    options.seconds = 2;
    options.width = 96;
    options.height = 64;
    options.gop = 10;
    options.count = 2;
    options.read_only = {1};
    mkcard::WriteCard(options, dir.path());
    options.count = 1;
    options.first_number = 10;
    options.read_only = {};
    options.start_local_time = "2024-05-18 23:59:59";
    mkcard::WriteCard(options, dir.path());

    const std::string folder = (dir.path() / "DCIM/100MEDIA").string();
    const std::string want = "1\t2024-05-17 08:30:00\t2024-05-17 08:30:02\t0\t" + folder +
                             "/REC_0001.ts\n"
                             "2\t2024-05-17 08:30:02\t2024-05-17 08:30:04\t1\t" +
                             folder +
                             "/REC_0002.ts\n"
                             "10\t2024-05-18 23:59:59\t2024-05-19 00:00:01\t0\t" +
                             folder + "/REC_0010.ts\n";
    for (const std::string& argument : {folder, folder + "/", folder + "/REC_0010.ts"}) {
        const Result result = RunList(dir, "'" + argument + "'");
        EXPECT_EQ(result.exit_status, 0) << argument;
        EXPECT_EQ(result.out, want) << argument;
    }
}

TEST_F(CliList, ReportsAMissingCardOrPath) {
    test::TempDir dir;
    const Result missing = RunList(dir, "'" + (dir / "nothing.ts").string() + "'");
    EXPECT_EQ(missing.exit_status, 1);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_NE(missing.err.find("nothing.ts"), std::string::npos);

    // Without a path the card is looked for on this machine's removable volumes.
    const Result card = RunList(dir, "");
    if (FindCardFolder(MountTableVolumes()).empty()) {
        EXPECT_EQ(card.exit_status, 1);
        EXPECT_EQ(card.err, "Record SD Card Not Find\n");
        EXPECT_TRUE(card.out.empty());
    } else {
        EXPECT_EQ(card.exit_status, 0);
    }
}

} // namespace
} // namespace korvex
