#pragma once

namespace korvex::cli {

// Ctrl-C ends a long command cleanly instead of killing it: after CatchInterrupt, an interrupt
// only raises the flag that the command's loop polls.
void CatchInterrupt();
bool Interrupted();

} // namespace korvex::cli
