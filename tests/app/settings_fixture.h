#pragma once

#include "app/settings.h"
#include "temp_dir.h"

#include <memory>

namespace korvex::test {

// A program folder of its own, with "Config.ini" and "Language/" in it as a test writes them.
class SettingsFixture {
public:
    std::filesystem::path ConfigFile() const { return dir_ / "Config.ini"; }
    void WriteConfig(std::string_view text) const { WriteFile(ConfigFile(), text); }
    void WriteLanguageFile(std::string_view name, std::string_view text) const {
        WriteFile(dir_ / "Language" / name, text);
    }

    std::unique_ptr<CSettings> MakeSettings(int system_language = 1033) const {
        return std::make_unique<CSettings>(SettingsLocations{
            dir_.path(), ConfigFile(), dir_ / "Pictures" / "Capture" / "", system_language});
    }

private:
    TempDir dir_;
};

} // namespace korvex::test
