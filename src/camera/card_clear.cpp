#include "camera/card_clear.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace korvex {

namespace {

// Works on open folder descriptors and names relative to them, so that a link swapped in
// while the walk runs cannot lead it out of the card.
class CardEraser {
public:
    explicit CardEraser(dev_t card) : card_(card) {}

    // Deletes the entries of the open folder `folder` (shown to the user as `shown`), unless it
    // is write-protected; takes ownership of the descriptor.
    void EmptyFolder(int folder, const std::string& shown) {
        DIR* listing = ::fdopendir(folder);
        if (listing == nullptr) {
            ::close(folder);
            Fail(shown, std::strerror(errno));
            return;
        }
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(listing)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..") {
                names.emplace_back(name);
            }
        }
        struct stat status {};
        if (!names.empty() && ::fstat(folder, &status) == 0 && (status.st_mode & S_IWUSR) == 0) {
            // Root may write anyway; the card's owner may not, so neither does the clear.
            Fail(shown, "the folder is read-only");
            names.clear();
        }
        for (const std::string& name : names) {
            DeleteEntry(folder, name, shown + "/" + name);
        }
        ::closedir(listing);
    }

    ClearReport Report() && { return std::move(report_); }

    void Fail(const std::string& shown, std::string_view reason) {
        if (report_.entries_left++ == 0) {
            report_.first_failure = shown + ": " + std::string(reason);
        }
    }

private:
    void DeleteEntry(int parent, const std::string& name, const std::string& shown) {
        struct stat status {};
        if (::fstatat(parent, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            Fail(shown, std::strerror(errno));
            return;
        }
        if (!S_ISDIR(status.st_mode)) {
            if (::unlinkat(parent, name.c_str(), 0) != 0) {
                Fail(shown, std::strerror(errno));
            }
            return;
        }
        if (status.st_dev != card_) {
            Fail(shown, "another file system is mounted here");
            return;
        }
        const int folder =
            ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (folder < 0) {
            Fail(shown, std::strerror(errno));
            return;
        }
        const std::size_t left_before = report_.entries_left;
        EmptyFolder(folder, shown);
        // A folder that kept some of its content is already accounted for by that content.
        if (::unlinkat(parent, name.c_str(), AT_REMOVEDIR) != 0 &&
            report_.entries_left == left_before) {
            Fail(shown, std::strerror(errno));
        }
    }

    const dev_t card_;
    ClearReport report_;
};

} // namespace

ClearReport ClearCard(const std::filesystem::path& mount_point) {
    const std::string shown = mount_point.string();
    const int root = ::open(shown.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat status {};
    if (root < 0 || ::fstat(root, &status) != 0) {
        CardEraser eraser(0);
        eraser.Fail(shown, std::strerror(errno));
        if (root >= 0) {
            ::close(root);
        }
        return std::move(eraser).Report();
    }
    CardEraser eraser(status.st_dev);
    eraser.EmptyFolder(root, shown);
    return std::move(eraser).Report();
}

} // namespace korvex
