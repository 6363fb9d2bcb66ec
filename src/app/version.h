#pragma once

#include <string>

namespace korvex {

// The program's version as "major.minor.patch.build", from the project version.
std::string ProgramVersionText();

} // namespace korvex
