#include "command_output.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace korvex {
namespace {

const std::string kDefaults1980("\x3C\xF2\x5D\x14\x00\x01\x08\x00\x70\x50\x02\x04\x84\x02\x00\xFD",
                                16);
const std::string kDefaults2015("\xD5\x5B\x8E\x8F\x02\x36\x7D\xFB\x70\x50\x02\x04\x84\x02\x00\xFD",
                                16);
// language 15, marker 0xFC, matching CRC.
const std::string kLanguage15("\x0F\x78\x83\x96\xF0\x01\x08\x00\x70\x50\x02\x04\x84\x02\x00\xFC",
                              16);

using Result = test::CommandOutput;

Result RunCli(const std::string& arguments) {
    return test::RunCommand(std::string(KORVEX_CLI) + " " + arguments + " 2>/dev/null");
}

std::string Shown(const std::string& first_lines, const std::string& middle) {
    return first_lines + "timeZone=28\t8\ntvStandard=0\tNTSC\nfrequency=1\t60Hz\nmic=" + middle +
           "sensorSensitivity=2\tLevel 3\nrecResolution=0\t1920x1080 30fps\n"
           "recQuality=1\tGOOD\nrecGSensor=2\tLevel 3\ncapResolution=1\t5M\n"
           "capMode=0\tNORMAL CAPTURE\ncapPeriod=0\tOFF\ncapGSensor=2\tLevel 3\n"
           "speedUnit=0\tOFF\n";
}

TEST(CameraSettingsCli, ShowsAndWritesTheFile) {
    test::TempDir dir;
    const std::string file = (dir / "usrset.dat").string();
    const std::string clock_2015 =
        "language=0\tEnglish\nyear=2015\nmonth=6\nday=15\nhour=23\nminute=59\n";
    const std::string default_options = "1\tON\nwhiteBalance=0\tAUTO\neffect=0\tCOLOR\n";
    const struct {
        const char* name;
        std::optional<std::string> file_before; // nullopt: as the step before left it
        std::string arguments;
        int exit_status;
        std::optional<std::string> output;
        std::optional<std::string> file_after;
    } steps[] = {
        {"show without a file", std::nullopt, "show " + file, 1, "", std::nullopt},
        {"write without a file: defaults, clock left alone", std::nullopt, "write " + file, 0, "",
         kDefaults1980},
        {"write the clock", std::nullopt, "write " + file + " --clock '2015-06-15 23:59'", 0, "",
         kDefaults2015},
        {"show", std::nullopt, "show " + file, 0, Shown(clock_2015, default_options), std::nullopt},
        {"write by index and by text, the rest kept", std::nullopt,
         "write " + file + " mic=0 whiteBalance=cloudy effect=GRAYSCALE", 0, "", std::nullopt},
        {"show the changes", std::nullopt, "show " + file, 0,
         Shown(clock_2015, "0\tOFF\nwhiteBalance=2\tCLOUDY\neffect=1\tGRAYSCALE\n"), std::nullopt},
        {"unknown setting", kDefaults2015, "write " + file + " colour=1", 2, "", kDefaults2015},
        {"value beyond the list", std::nullopt, "write " + file + " mic=2", 2, "", kDefaults2015},
        {"clock field by name", std::nullopt, "write " + file + " year=2016", 2, "", kDefaults2015},
        {"no such day", std::nullopt, "write " + file + " --clock '2015-02-30 10:00'", 2, "",
         kDefaults2015},
        {"clock without a value", std::nullopt, "write " + file + " --clock", 2, "", kDefaults2015},
        {"show a 15-byte file", kDefaults2015.substr(0, 15), "show " + file, 1, "", std::nullopt},
        {"write over a file that is not accepted starts from the defaults", "sixteen bytes!!!",
         "write " + file, 0, "", kDefaults1980},
        {"show a value beyond its list", kLanguage15, "show " + file, 0,
         Shown("language=15\t(not in the list)\nyear=1980\nmonth=1\nday=1\nhour=0\nminute=0\n",
               default_options),
         std::nullopt},
        {"no command", std::nullopt, "", 2, "", std::nullopt},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.file_before) {
            test::WriteFile(file, *step.file_before);
        }
        const Result result = RunCli("settings " + step.arguments);
        EXPECT_EQ(result.status, step.exit_status);
        if (step.output) {
            EXPECT_EQ(result.output, *step.output);
        }
        if (step.file_after) {
            EXPECT_EQ(test::ReadFile(file), *step.file_after);
        }
    }
}

} // namespace
} // namespace korvex
