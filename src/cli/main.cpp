#include "commands.h"

#include <cstdio>
#include <cstring>

using namespace korvex::cli;

namespace {

constexpr Command kCommands[] = {
    {"version", "version                 print the program version", RunVersion},
    {"info", "info [--screen WxH]     print the configuration and languages the program would use",
     RunInfo},
    {"list", "list [PATH]             list the recordings of a folder or of the card", RunList},
    {"settings", "settings show|write FILE show or edit a camera settings file (usrset.dat)",
     RunSettings},
    {"export", "export --in F[:POS] --out F[:POS] OUT  export a clip (AVI or transport stream)",
     RunExport},
    {"track", "track FILE [--follow] [--gpx OUT.gpx]  print the GPS texts a recording delivers",
     RunTrack},
    {"play", "play FILE [OPTIONS]     play recordings without a window; --help lists the options",
     RunPlay},
};

void PrintUsage(std::FILE* out) {
    std::fputs("usage: korvex-cli COMMAND [ARGS...]\n\ncommands:\n", out);
    for (const Command& command : kCommands) {
        std::fprintf(out, "  %.*s\n", static_cast<int>(command.usage.size()), command.usage.data());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (const Command& command : kCommands) {
        if (command.name == argv[1]) {
            return command.run(std::span<char* const>(argv + 2, static_cast<size_t>(argc - 2)));
        }
    }
    std::fprintf(stderr, "korvex-cli: unknown command '%s'\n", argv[1]);
    PrintUsage(stderr);
    return 2;
}
