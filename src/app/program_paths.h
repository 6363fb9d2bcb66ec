#pragma once

#include <filesystem>

namespace korvex {

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

// The program folder, with "Language/", "map/" and "offset_min.bin" in it: the data folder of
// the running executable's folder.
std::filesystem::path ProgramFolder();

// Where the program's data lie: beside the program in the build tree, PREFIX/share/korvex/ when
// the program is installed in PREFIX/bin/ (the folder that exists decides). A data folder is its
// own data folder.
std::filesystem::path ProgramDataFolder(const std::filesystem::path& program_folder);

// True for an installed data folder, PREFIX/share/korvex.
bool IsInstalledDataFolder(const std::filesystem::path& folder);

// The user's own Korvex folder: $XDG_CONFIG_HOME/korvex (~/.config/korvex when unset).
std::filesystem::path UserConfigFolder();

// "Config.ini" beside the program when that folder is writable and not an installed data
// folder (an installed program never writes into its shared data), otherwise
// $XDG_CONFIG_HOME/korvex/Config.ini (~/.config/korvex/Config.ini when unset).
std::filesystem::path ConfigFileLocation(const std::filesystem::path& program_folder);

// The user's pictures folder + "Capture/": $XDG_PICTURES_DIR, else the XDG_PICTURES_DIR line of
// the user-dirs file, else ~/Pictures.
std::filesystem::path DefaultSnapshotFolder();

} // namespace korvex
