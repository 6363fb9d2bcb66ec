#pragma once

#include <chrono>
#include <stop_token>
#include <string>
#include <vector>

namespace korvex {

// The mounted removable volumes (memory cards, USB sticks) where a camera's card may be found.
// The real one reads the system's mount table; tests point the same code at a fake one.
class RemovableVolumes {
public:
    virtual ~RemovableVolumes() = default;

    // The mount points of the removable volumes mounted now, in a stable order: the order in
    // which they were mounted, so a card inserted later comes later. Any thread; reads the
    // system's tables afresh every time and never blocks for long.
    virtual std::vector<std::string> MountPoints() const = 0;

    // Blocks until the mount points differ from those this object returned last (or, before
    // that, those mounted when the wait began): true. False when `stop` is requested or
    // `timeout` passes first. The one thread that watches for arrivals; a removal counts too.
    virtual bool WaitForChange(std::stop_token stop, std::chrono::milliseconds timeout) = 0;

    // The name the volume mounted at `mount_point` was given when it was formatted, or empty
    // when it has none or is not known.
    virtual std::string Label(const std::string& mount_point) const {
        static_cast<void>(mount_point);
        return {};
    }
};

} // namespace korvex
