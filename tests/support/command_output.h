#pragma once

#include <string>

namespace korvex::test {

struct CommandOutput {
    int status = -1;    // exit status; -1 when the command could not run or was killed
    std::string output; // what it wrote to its standard output
};

// Runs a shell command and takes its whole standard output; a missing program gives status 127,
// which a test reports as a failure.
CommandOutput RunCommand(const std::string& command);

} // namespace korvex::test
