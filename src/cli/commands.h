#pragma once

#include <span>
#include <string_view>

namespace korvex::cli {

// A subcommand receives the arguments after its own name and returns the process exit code.
using CommandMain = int (*)(std::span<char* const> args);

struct Command {
    std::string_view name;
    std::string_view usage; // one line for `korvex-cli --help`
    CommandMain run;
};

int RunVersion(std::span<char* const> args);
int RunInfo(std::span<char* const> args);
int RunList(std::span<char* const> args);
int RunSettings(std::span<char* const> args);
int RunExport(std::span<char* const> args);
int RunTrack(std::span<char* const> args);
int RunPlay(std::span<char* const> args);

} // namespace korvex::cli
