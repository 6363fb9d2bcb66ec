#pragma once

// Helpers of the sample-card tests: running the outside judges and reading a file's bytes.

#include <filesystem>
#include <string>

namespace korvex::mkcard {

struct CommandResult {
    int status = -1;    // exit status; -1 when the command could not run or was killed
    std::string output; // what it wrote to its standard output
};

// Runs a shell command; a missing program gives status 127, which a test reports as a failure.
CommandResult RunCommand(const std::string& command);

// The path in single quotes for the shell (test paths hold no quotes).
std::string Quoted(const std::filesystem::path& path);

} // namespace korvex::mkcard
