#include "command_output.h"
#include "mkcard/card_writer.h"
#include "temp_dir.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace korvex {
namespace {

using Result = test::CommandOutput;

Result Run(const std::string& command) {
    return test::RunCommand(command + " 2>/dev/null");
}

Result RunTrack(const std::string& arguments) {
    return Run(std::string(KORVEX_CLI) + " track " + arguments);
}

std::vector<std::vector<double>> Lines(const std::string& output) {
    std::vector<std::vector<double>> lines;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<double> fields;
        std::istringstream fields_in(line);
        std::string field;
        while (std::getline(fields_in, field, '\t')) {
            fields.push_back(std::stod(field));
        }
        lines.push_back(fields);
    }
    return lines;
}

// Every line gives the fix of the text written at its place; a text without a fix is refused
// and leaves the values of the fix before it.
void ExpectFixes(const std::vector<std::vector<double>>& lines,
                 const std::vector<mkcard::WrittenGpsText>& written) {
    ASSERT_EQ(lines.size(), written.size());
    const mkcard::WrittenGpsText* last_fix = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        const auto& text = written[i];
        ASSERT_EQ(line.size(), 9u) << i;
        EXPECT_GE(line[0], 0) << i;
        EXPECT_LE(line[0], 1000) << i;
        EXPECT_EQ(line[1], text.fix ? 1 : 0) << i;
        if (text.fix) {
            last_fix = &text;
        }
        if (last_fix != nullptr) {
            // ddmm.mmmm: a ten-thousandth of a minute is under 2e-6 degrees.
            EXPECT_NEAR(line[2], last_fix->latitude, 2e-6) << i;
            EXPECT_NEAR(line[3], last_fix->longitude, 2e-6) << i;
            EXPECT_NEAR(line[4], last_fix->speed_knots * 1.852, 1e-5) << i;
            EXPECT_NEAR(line[5], last_fix->course, 1e-6) << i;
        }
        EXPECT_NEAR(line[6], text.x, 1e-6) << i;
        EXPECT_NEAR(line[7], text.y, 1e-6) << i;
        EXPECT_NEAR(line[8], text.z, 1e-6) << i;
    }
}

std::string UtcText(std::time_t time) {
    std::tm utc{};
    gmtime_r(&time, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// Checks the GPX file with an XML parser against GPX 1.1's element structure and prints the
// track points as "LAT LON TIME" lines.
Result GpxPoints(const std::string& path) {
    const std::string script =
        "import sys, xml.etree.ElementTree as E\n"
        "n = '{http://www.topografix.com/GPX/1/1}'\n"
        "root = E.parse(sys.argv[1]).getroot()\n"
        "assert root.tag == n + 'gpx' and root.get('version') == '1.1' and root.get('creator')\n"
        "trks = list(root)\n"
        "assert len(trks) == 1 and trks[0].tag == n + 'trk'\n"
        "segs = list(trks[0])\n"
        "assert len(segs) == 1 and segs[0].tag == n + 'trkseg'\n"
        "for p in segs[0]:\n"
        "    assert p.tag == n + 'trkpt' and set(p.keys()) == {'lat', 'lon'}\n"
        "    lat, lon = float(p.get('lat')), float(p.get('lon'))\n"
        "    assert -90 <= lat <= 90 and -180 <= lon <= 180\n"
        "    kids = list(p)\n"
        "    assert len(kids) <= 1 and all(k.tag == n + 'time' for k in kids)\n"
        "    print(lat, lon, kids[0].text if kids else '-')\n";
    const std::string script_path = path + ".py";
    std::ofstream(script_path) << script;
    return Run("python3 " + script_path + " " + path);
}

TEST(CliTrack, GivesTheWrittenFixesWithAndWithoutFollowingAndWritesGpx) {
    test::TempDir dir;
    mkcard::CardOptions options;
    options.count = 2;
    options.seconds = 3;
    options.width = 96;
    options.height = 64;
    options.gop = 10;
    options.no_fix[0] = {{1, 2}}; // the second text of the first recording
    const auto card = mkcard::WriteCard(options, dir.path());
    ASSERT_EQ(card.recordings.size(), 2u);
    const auto& first = card.recordings[0];
    const auto& second = card.recordings[1];

    // The reader delivers a text when the next one begins: the last text of the last recording
    // read never comes.
    std::vector<mkcard::WrittenGpsText> alone(first.gps.begin(), first.gps.end() - 1);
    std::vector<mkcard::WrittenGpsText> followed(first.gps);
    followed.insert(followed.end(), second.gps.begin(), second.gps.end() - 1);

    const std::string gpx = (dir / "track.gpx").string();
    const Result only = RunTrack(first.path.string() + " --gpx " + gpx);
    ASSERT_EQ(only.status, 0);
    ExpectFixes(Lines(only.output), alone);

    const Result gpx_points = GpxPoints(gpx);
    ASSERT_EQ(gpx_points.status, 0) << gpx_points.output;
    std::ostringstream expected;
    for (const auto& text : alone) {
        if (text.fix) {
            char line[96];
            std::snprintf(line, sizeof line, "%.6f %.6f ", text.latitude, text.longitude);
            expected << line << UtcText(text.utc) << "\n";
        }
    }
    std::istringstream got_in(gpx_points.output);
    std::istringstream want_in(expected.str());
    std::string got_line;
    std::string want_line;
    std::size_t points = 0;
    while (std::getline(want_in, want_line)) {
        ASSERT_TRUE(std::getline(got_in, got_line)) << points;
        double got_lat = 0, got_lon = 0, want_lat = 0, want_lon = 0;
        char got_time[32] = "", want_time[32] = "";
        ASSERT_EQ(std::sscanf(got_line.c_str(), "%lf %lf %31s", &got_lat, &got_lon, got_time), 3);
        ASSERT_EQ(std::sscanf(want_line.c_str(), "%lf %lf %31s", &want_lat, &want_lon, want_time),
                  3);
        EXPECT_NEAR(got_lat, want_lat, 2e-6) << points;
        EXPECT_NEAR(got_lon, want_lon, 2e-6) << points;
        EXPECT_STREQ(got_time, want_time) << points;
        ++points;
    }
    EXPECT_FALSE(std::getline(got_in, got_line)) << "more track points than fixes";
    EXPECT_LT(points, alone.size()); // the stretch without a fix is left out

    const Result follow = RunTrack(first.path.string() + " --follow");
    ASSERT_EQ(follow.status, 0);
    ExpectFixes(Lines(follow.output), followed);
}

TEST(CliTrack, AFileThatCannotBeReadIsAnError) {
    test::TempDir dir;
    const Result result = RunTrack((dir / "missing.ts").string());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "");
}

} // namespace
} // namespace korvex
