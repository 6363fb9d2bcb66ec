#pragma once

#include "stream/removable_volumes.h"

#include <mutex>

namespace korvex {

// The removable volumes of a Linux desktop: the mounts of the kernel's mount table whose block
// device is removable (sysfs "removable" is 1) or is an SD card in a built-in reader (MMC type
// "SD", which the kernel does not mark removable). Desktops mount them under /media/USER or
// /run/media/USER. Mounts of a sub-folder of a volume and second mounts of one device are left
// out. Volume labels come from the links of the device manager's by-label folder. Tests point it
// at a fake mount table, sysfs root and label folder.
class MountTableVolumes final : public RemovableVolumes {
public:
    explicit MountTableVolumes(std::string mount_table = "/proc/self/mountinfo",
                               std::string sys_root = "/sys",
                               std::string label_folder = "/dev/disk/by-label");

    std::vector<std::string> MountPoints() const override;
    // Woken at once by the kernel when its mount table changes, and otherwise re-reads the table
    // a few times a second (a fake table gives no signal).
    bool WaitForChange(std::stop_token stop, std::chrono::milliseconds timeout) override;
    std::string Label(const std::string& mount_point) const override;

private:
    std::vector<std::string> ReadMountPoints() const;
    bool IsRemovable(const std::string& device_name) const;

    const std::string mount_table_;
    const std::string sys_root_;
    const std::string label_folder_;
    mutable std::mutex mutex_; // guards listed_
    mutable std::vector<std::string> listed_;
    mutable bool has_listed_ = false;
};

} // namespace korvex
