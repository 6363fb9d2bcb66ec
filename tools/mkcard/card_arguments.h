#pragma once

// The command line of korvex-mkcard: every option sets one field of CardOptions.

#include "mkcard/card_writer.h"

#include <filesystem>
#include <span>
#include <string>

namespace korvex::mkcard {

struct CardArguments {
    CardOptions options;
    std::filesystem::path out;
    bool help = false;
    bool quiet = false;
    std::string error; // empty when the arguments are usable
};

// Parses the arguments after the program name: "--name value" or "--name=value", and OUT.
CardArguments ParseCardArguments(std::span<const char* const> arguments);

// The usage text, one line per option with its default.
std::string CardUsage();

} // namespace korvex::mkcard
