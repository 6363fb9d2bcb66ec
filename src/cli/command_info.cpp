#include "app/version.h"
#include "commands.h"

#include <cstdio>

namespace korvex::cli {

int RunVersion(std::span<char* const>) {
    std::printf("%s\n", ProgramVersionText().c_str());
    return 0;
}

int RunInfo(std::span<char* const>) {
    std::printf("version\t%s\n", ProgramVersionText().c_str());
    return 0;
}

} // namespace korvex::cli
