#include "app/version.h"

namespace korvex {

std::string ProgramVersionText() {
    return KORVEX_VERSION_TEXT;
}

} // namespace korvex
