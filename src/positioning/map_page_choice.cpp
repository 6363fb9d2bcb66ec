#include "positioning/map_page_choice.h"

#include "app/program_paths.h"

#include <system_error>

namespace korvex {

std::filesystem::path MapPageName(int baidu_map) {
    return baidu_map != 0 ? "map/mapdlg_baidu.htm" : "map/mapdlg.htm";
}

std::optional<std::filesystem::path>
FindMapPage(const std::filesystem::path& name, const std::vector<std::filesystem::path>& folders) {
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        const std::filesystem::path page = folder / name;
        if (std::filesystem::is_regular_file(page, error)) {
            return page;
        }
    }
    return std::nullopt;
}

std::vector<std::filesystem::path> MapPageFolders(const std::filesystem::path& program_folder) {
    return {UserConfigFolder(), ProgramDataFolder(program_folder)};
}

std::filesystem::path UserMapPagePath() {
    return UserConfigFolder() / MapPageName(0);
}

} // namespace korvex
