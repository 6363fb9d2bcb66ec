#include "stream/linux/mount_table_volumes.h"

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/eventfd.h>
#include <unistd.h>

namespace korvex {

namespace {

// The mount table writes a space, tab, newline or backslash in a path as \ and three octal
// digits.
std::string Unescape(const std::string& field) {
    const auto is_octal = [](char c) { return c >= '0' && c <= '7'; };
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && is_octal(field[i + 1]) &&
            is_octal(field[i + 2]) && is_octal(field[i + 3])) {
            text.push_back(static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8)));
            i += 3;
        } else {
            text.push_back(field[i]);
        }
    }
    return text;
}

// A file descriptor closed when it goes out of scope.
struct ScopedFd {
    int fd;
    ~ScopedFd() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// Reading the kernel's table to its end re-arms its change signal.
void Drain(int fd) {
    char bytes[4096];
    if (fd >= 0 && ::lseek(fd, 0, SEEK_SET) == 0) {
        while (::read(fd, bytes, sizeof bytes) > 0) {
        }
    }
}

std::string FirstLineOf(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

struct Mount {
    std::string root;
    std::string mount_point;
    std::string source;
};

// One line of the mount table: ID PARENT MAJ:MIN ROOT MOUNT-POINT OPTIONS [TAGS...] - TYPE
// SOURCE SUPER-OPTIONS.
bool ParseMountLine(const std::string& line, Mount& mount) {
    std::istringstream in(line);
    std::vector<std::string> fields;
    for (std::string field; in >> field;) {
        fields.push_back(field);
    }
    const auto separator = std::find(fields.begin(), fields.end(), "-");
    if (fields.size() < 6 || separator == fields.end() || fields.end() - separator < 3) {
        return false;
    }
    mount.root = Unescape(fields[3]);
    mount.mount_point = Unescape(fields[4]);
    mount.source = Unescape(*(separator + 2));
    return true;
}

// The device manager writes a character of a label that is unsafe in a file name as \x and two
// hexadecimal digits.
std::string DecodeLabel(const std::string& name) {
    const auto is_hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    std::string text;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && is_hex(name[i + 2]) &&
            is_hex(name[i + 3])) {
            text.push_back(static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16)));
            i += 3;
        } else {
            text.push_back(name[i]);
        }
    }
    return text;
}

} // namespace

MountTableVolumes::MountTableVolumes(std::string mount_table, std::string sys_root,
                                     std::string label_folder)
    : mount_table_(std::move(mount_table)), sys_root_(std::move(sys_root)),
      label_folder_(std::move(label_folder)) {}

std::string MountTableVolumes::Label(const std::string& mount_point) const {
    namespace fs = std::filesystem;
    std::ifstream in(mount_table_);
    std::string device;
    for (std::string line; device.empty() && std::getline(in, line);) {
        Mount mount;
        if (ParseMountLine(line, mount) && mount.root == "/" && mount.mount_point == mount_point &&
            mount.source.starts_with("/dev/")) {
            device = fs::path(mount.source).filename().string();
        }
    }
    if (device.empty()) {
        return {};
    }
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(label_folder_, error)) {
        if (fs::read_symlink(entry.path(), error).filename() == device) {
            return DecodeLabel(entry.path().filename().string());
        }
    }
    return {};
}

bool MountTableVolumes::IsRemovable(const std::string& device_name) const {
    namespace fs = std::filesystem;
    const fs::path block = fs::path(sys_root_) / "block";
    std::error_code error;
    fs::path disk = block / device_name;
    if (!fs::exists(disk, error)) {
        // A partition: its folder lies inside its disk's folder.
        disk.clear();
        for (const auto& entry : fs::directory_iterator(block, error)) {
            if (fs::exists(entry.path() / device_name, error)) {
                disk = entry.path();
                break;
            }
        }
        if (disk.empty()) {
            return false;
        }
    }
    return FirstLineOf(disk / "removable") == "1" || FirstLineOf(disk / "device" / "type") == "SD";
}

std::vector<std::string> MountTableVolumes::ReadMountPoints() const {
    std::ifstream in(mount_table_);
    std::vector<std::string> points;
    std::vector<std::string> sources;
    for (std::string line; std::getline(in, line);) {
        Mount mount;
        if (!ParseMountLine(line, mount) || mount.root != "/" ||
            !mount.source.starts_with("/dev/")) {
            continue;
        }
        if (std::find(sources.begin(), sources.end(), mount.source) != sources.end() ||
            !IsRemovable(std::filesystem::path(mount.source).filename().string())) {
            continue;
        }
        sources.push_back(mount.source);
        points.push_back(mount.mount_point);
    }
    return points;
}

std::vector<std::string> MountTableVolumes::MountPoints() const {
    std::vector<std::string> points = ReadMountPoints();
    std::lock_guard lock(mutex_);
    listed_ = points;
    has_listed_ = true;
    return points;
}

bool MountTableVolumes::WaitForChange(std::stop_token stop, std::chrono::milliseconds timeout) {
    std::vector<std::string> before;
    {
        std::lock_guard lock(mutex_);
        before = has_listed_ ? listed_ : ReadMountPoints();
        listed_ = before;
        has_listed_ = true;
    }
    // The kernel flags a change of its mount table as an exceptional condition on the open
    // table; the event file descriptor wakes the poll when the stop is requested.
    const ScopedFd table{::open(mount_table_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    const ScopedFd wake{::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)};
    Drain(table.fd);
    const std::stop_callback on_stop(stop, [fd = wake.fd] {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(fd, &one, sizeof one);
    });
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool changed = false;
    while (!stop.stop_requested() && !changed) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd waits[2] = {{table.fd, POLLPRI, 0}, {wake.fd, POLLIN, 0}};
        ::poll(waits, 2, static_cast<int>(std::min<std::int64_t>(left.count(), 250)));
        Drain(table.fd);
        changed = ReadMountPoints() != before;
    }
    return changed;
}

} // namespace korvex
