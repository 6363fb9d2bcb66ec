#pragma once

// Helpers of the sample-card tests: running the outside judges and reading a file's bytes.

#include "command_output.h"

#include <filesystem>
#include <string>

namespace korvex::mkcard {

using CommandResult = test::CommandOutput;
using test::RunCommand;

// The path in single quotes for the shell (test paths hold no quotes).
std::string Quoted(const std::filesystem::path& path);

} // namespace korvex::mkcard
