#include "commands.h"
#include "stream/card_folder.h"
#include "stream/find_file_path.h"
#include "stream/linux/mount_table_volumes.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

namespace korvex::cli {

namespace {

std::string LocalTimeText(std::int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&time, &local) != nullptr) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    }
    return text;
}

// What to scan: a recording's path as given, a folder's path ending in '/', or the card folder.
bool ScanPathOf(std::span<char* const> args, std::string& path) {
    if (args.empty()) {
        path = FindCardFolder(MountTableVolumes());
        if (path.empty()) {
            std::fputs("Record SD Card Not Find\n", stderr);
            return false;
        }
        return true;
    }
    path = args[0];
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        if (!path.ends_with('/')) {
            path += '/';
        }
        return true;
    }
    if (std::filesystem::is_regular_file(path, error)) {
        return true;
    }
    std::fprintf(stderr, "korvex-cli list: no recording or folder '%s'\n", args[0]);
    return false;
}

} // namespace

int RunList(std::span<char* const> args) {
    if (args.size() > 1) {
        std::fputs("usage: korvex-cli list [PATH]\n", stderr);
        return 2;
    }
    std::string path;
    if (!ScanPathOf(args, path)) {
        return 1;
    }
    CFindFilePath list;
    list.ScanSync(path);
    for (const RecordingEntry& entry : list.Entries()) {
        std::printf("%d\t%s\t%s\t%d\t%s\n", entry.number, LocalTimeText(entry.start_time).c_str(),
                    LocalTimeText(entry.end_time).c_str(), entry.read_only, entry.path.c_str());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace korvex::cli
