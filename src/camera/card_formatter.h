#pragma once

#include <string>

namespace korvex {

// The outcome of formatting a card: whether it worked, and otherwise the reason the system gave.
struct FormatResult {
    bool formatted = false;
    std::string reason;
};

// Formats a memory card through the system's disk service. The real one speaks to UDisks2 over
// D-Bus; tests stand up a fake UDisks2 on a private bus. User-interface thread only: each call
// blocks until the service answers, while the window's events keep running (the service may
// ask for the administrator's password in a window of its own).
class CardFormatter {
public:
    virtual ~CardFormatter() = default;

    // Why no card can be formatted on this system at all (no disk service), or an empty text.
    virtual std::string WhyUnavailable() = 0;

    // Unmounts the volume mounted at `mount_point`, formats it with the file system and the
    // label it has now, and mounts it again. The caller has checked that the volume is a
    // removable one (see WhyNotFormattable).
    virtual FormatResult Format(const std::string& mount_point) = 0;
};

} // namespace korvex
