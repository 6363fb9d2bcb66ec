#include "app/program_paths.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace korvex {

namespace {

std::filesystem::path FromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path HomeFolder() {
    std::filesystem::path home = FromEnvironment("HOME");
    return home.empty() ? std::filesystem::path("/") : home;
}

std::filesystem::path ConfigHome() {
    std::filesystem::path config = FromEnvironment("XDG_CONFIG_HOME");
    return config.is_absolute() ? config : HomeFolder() / ".config";
}

// The value of XDG_PICTURES_DIR="$HOME/..." in the user-dirs file, or nothing.
std::filesystem::path PicturesFolderFromUserDirs() {
    std::ifstream in(ConfigHome() / "user-dirs.dirs");
    const std::string prefix = "XDG_PICTURES_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with(prefix) || !line.ends_with('"')) {
            continue;
        }
        std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (value.starts_with("$HOME")) {
            value = HomeFolder().string() + value.substr(5);
        }
        return value;
    }
    return {};
}

} // namespace

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : executable.parent_path();
}

std::filesystem::path ProgramFolder() {
    return ProgramDataFolder(ExecutableFolder());
}

std::filesystem::path ProgramDataFolder(const std::filesystem::path& program_folder) {
    if (program_folder.filename() == "bin") {
        const std::filesystem::path installed = program_folder.parent_path() / "share" / "korvex";
        std::error_code error;
        if (std::filesystem::is_directory(installed, error)) {
            return installed;
        }
    }
    return program_folder;
}

bool IsInstalledDataFolder(const std::filesystem::path& folder) {
    return folder.filename() == "korvex" && folder.parent_path().filename() == "share";
}

std::filesystem::path UserConfigFolder() {
    return ConfigHome() / "korvex";
}

std::filesystem::path ConfigFileLocation(const std::filesystem::path& program_folder) {
    if (!IsInstalledDataFolder(program_folder) && ::access(program_folder.c_str(), W_OK) == 0) {
        return program_folder / "Config.ini";
    }
    return UserConfigFolder() / "Config.ini";
}

std::filesystem::path DefaultSnapshotFolder() {
    std::filesystem::path pictures = FromEnvironment("XDG_PICTURES_DIR");
    if (!pictures.is_absolute()) {
        pictures = PicturesFolderFromUserDirs();
    }
    if (!pictures.is_absolute()) {
        pictures = HomeFolder() / "Pictures";
    }
    return pictures / "Capture" / "";
}

} // namespace korvex
