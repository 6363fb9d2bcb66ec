#include "interruption.h"

#include <csignal>

namespace korvex::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

} // namespace

void CatchInterrupt() {
    std::signal(SIGINT, [](int) { interrupted = 1; });
}

bool Interrupted() {
    return interrupted != 0;
}

} // namespace korvex::cli
