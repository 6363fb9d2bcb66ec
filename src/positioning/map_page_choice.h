#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace korvex {

// The map page a configuration asks for, relative to a data folder: "map/mapdlg_baidu.htm"
// when "baiduMap" is non-zero, else "map/mapdlg.htm".
std::filesystem::path MapPageName(int baidu_map);

// The first of `folders` that holds `name` as a file, joined with it; nothing when none does
// (the view then shows its built-in page).
std::optional<std::filesystem::path> FindMapPage(const std::filesystem::path& name,
                                                 const std::vector<std::filesystem::path>& folders);

// Where the map view looks for its page, first to last: the user's configuration folder (which
// the map key import writes into), then the program's data folder.
std::vector<std::filesystem::path> MapPageFolders(const std::filesystem::path& program_folder);

// The page the map key import writes, the first place the view looks.
std::filesystem::path UserMapPagePath();

} // namespace korvex
