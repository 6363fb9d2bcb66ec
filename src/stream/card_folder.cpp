#include "stream/card_folder.h"

#include "stream/folder_search.h"

namespace korvex {

std::string FindCardFolderOn(const std::string& root) {
    const std::string dcim = root + (root.ends_with('/') ? "" : "/") + "DCIM/";
    for (const std::string& name : FindMatching(dcim, "*MEDIA", EntryKind::kFolder)) {
        const std::string folder = dcim + name + "/";
        if (!FindMatching(folder, "*.ts", EntryKind::kFile).empty()) {
            return folder;
        }
    }
    return {};
}

std::string FindCardFolder(const RemovableVolumes& volumes) {
    std::string found;
    for (const std::string& root : volumes.MountPoints()) {
        if (std::string folder = FindCardFolderOn(root); !folder.empty()) {
            found = std::move(folder);
        }
    }
    return found;
}

} // namespace korvex
