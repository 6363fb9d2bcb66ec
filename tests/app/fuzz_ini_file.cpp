#include "app/ini_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes as a profile file: parse, look a few keys up, set one, and parse the result again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    korvex::IniFile file = korvex::IniFile::Parse(bytes);
    (void)file.Get("Config", "UIMode");
    (void)file.Get("Language String", "Google Map Key : ");
    if (const auto value = file.Get("Config", "m_contishoot")) {
        (void)korvex::ParseProfileInt(*value);
    }
    file.Set("Config", "UIMode", "2");
    const korvex::IniFile again = korvex::IniFile::Parse(file.Serialize());
    if (again.Get("Config", "UIMode") != "2") {
        __builtin_trap();
    }
    return 0;
}
