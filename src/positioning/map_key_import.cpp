#include "positioning/map_key_import.h"

#include "app/atomic_file.h"

#include <system_error>

namespace korvex {

std::string PageWithMapKey(std::string_view page, std::string_view key) {
    constexpr std::string_view kVersion = "v=3.";
    const std::size_t at = page.find(kVersion);
    if (at == std::string_view::npos || at + 16 >= page.size()) {
        return std::string(page);
    }
    std::string keyed(page.substr(0, at));
    keyed.append("key=").append(key).append("&").append(page.substr(at));
    return keyed;
}

bool ImportMapKey(std::string_view page, const std::filesystem::path& output,
                  std::string_view key) {
    std::error_code error;
    std::filesystem::create_directories(output.parent_path(), error);
    return !WriteFileAtomically(output, PageWithMapKey(page, key));
}

} // namespace korvex
