#include "app/atomic_file.h"
#include "commands.h"
#include "positioning/route_file.h"
#include "positioning/route_reader.h"
#include "stream/read_only_file.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace korvex::cli {

namespace {

struct TrackArguments {
    std::string file;
    bool follow = false;
    std::string gpx;
};

bool ParseArguments(std::span<char* const> args, TrackArguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (std::strcmp(args[i], "--follow") == 0) {
            parsed.follow = true;
        } else if (std::strcmp(args[i], "--gpx") == 0 && i + 1 < args.size()) {
            parsed.gpx = args[++i];
        } else if (parsed.file.empty() && args[i][0] != '-') {
            parsed.file = args[i];
        } else {
            return false;
        }
    }
    return !parsed.file.empty();
}

// One line per GPS text.
void PrintText(const RouteText& text) {
    const GpsRecord& record = text.record;
    std::printf("%d\t%d\t%.6f\t%.6f\t%.6f\t%.6f\t%.6f\t%.6f\t%.6f\n", text.position, text.accepted,
                record.latitude, record.longitude, record.speed, record.course, text.g_sensor.x,
                text.g_sensor.y, text.g_sensor.z);
}

} // namespace

int RunTrack(std::span<char* const> args) {
    TrackArguments arguments;
    if (!ParseArguments(args, arguments)) {
        std::fputs("usage: korvex-cli track FILE [--follow] [--gpx OUT.gpx]\n", stderr);
        return 2;
    }
    // The reader takes a recording it cannot open for one without data; here that is an error.
    if (ReadOnlyFile probe; !probe.Open(arguments.file)) {
        std::fprintf(stderr, "korvex-cli track: cannot read '%s'\n", arguments.file.c_str());
        return 1;
    }
    const auto points = ReadRoute({arguments.file, arguments.follow, PrintText});
    if (!points) {
        std::fprintf(stderr, "korvex-cli track: cannot start reading '%s'\n",
                     arguments.file.c_str());
        return 1;
    }
    if (std::fflush(stdout) != 0) {
        return 1;
    }
    if (!arguments.gpx.empty() && WriteFileAtomically(arguments.gpx, GpxText(*points))) {
        std::fprintf(stderr, "korvex-cli track: cannot write '%s'\n", arguments.gpx.c_str());
        return 1;
    }
    return 0;
}

} // namespace korvex::cli
