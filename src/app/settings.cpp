#include "app/settings.h"

#include "app/decimal_text.h"
#include "app/program_paths.h"

#include <system_error>

namespace korvex {

namespace {

constexpr std::string_view kConfig = "Config";
constexpr std::string_view kLanguageSection = "Language String";

// Profile texts are read into a buffer of 260 characters, terminator included.
constexpr size_t kTextLimit = 259;

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string CutToTextLimit(std::string text) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsUtf8Continuation(text[i]) && ++characters > kTextLimit) {
            text.resize(i);
            break;
        }
    }
    return text;
}

} // namespace

SettingsLocations SettingsLocations::ForThisProgram() {
    SettingsLocations locations;
    locations.program_folder = ProgramFolder();
    locations.config_file = ConfigFileLocation(locations.program_folder);
    locations.default_snapshot_folder = DefaultSnapshotFolder();
    locations.system_language = SystemLanguageIdentifier();
    return locations;
}

CSettings::CSettings(SettingsLocations locations)
    : program_folder((locations.program_folder / "").string()),
      snapshot_folder(locations.default_snapshot_folder.string()),
      locations_(std::move(locations)) {
    language_available_[kEnglish] = true;
}

std::string CSettings::ReadText(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const std::optional<std::string> value =
        IniFile::Load(locations_.config_file).Get(section, key);
    return CutToTextLimit(value && !value->empty() ? *value : std::string(fallback));
}

int CSettings::ReadInt(std::string_view section, std::string_view key, int fallback) const {
    const std::optional<std::string> value =
        IniFile::Load(locations_.config_file).Get(section, key);
    return value && !value->empty() ? ParseProfileInt(*value) : fallback;
}

std::error_code CSettings::WriteText(std::string_view section, std::string_view key,
                                     std::string_view text) {
    IniFile file = IniFile::Load(locations_.config_file);
    if (!file.Set(section, key, text)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    std::error_code ignored;
    std::filesystem::create_directories(locations_.config_file.parent_path(), ignored);
    return file.Save(locations_.config_file);
}

std::error_code CSettings::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteText(section, key, std::to_string(value));
}

std::filesystem::path CSettings::LanguageFile(int index) const {
    return locations_.program_folder / "Language" /
           (std::string(kLanguages[static_cast<size_t>(index)].code) + ".ini");
}

void CSettings::UseLanguage(int index) {
    language_in_use = index;
    translations_ = IniFile::Load(LanguageFile(index));
}

void CSettings::LoadLanguage() {
    std::string wanted = ReadText(kConfig, "Language File", "");
    if (wanted.empty()) {
        wanted = LanguageCodeForSystemLanguage(locations_.system_language);
    }
    int in_use = language_in_use;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(locations_.program_folder / "Language", error)) {
        std::error_code type_error;
        if (entry.is_directory(type_error)) {
            continue;
        }
        const std::string name = entry.path().filename().string();
        if (!name.ends_with(".ini")) {
            continue;
        }
        const std::optional<int> index = LanguageIndexOfCode(name.substr(0, name.size() - 4));
        if (!index) {
            continue;
        }
        language_available_[static_cast<size_t>(*index)] = true;
        if (in_use == kEnglish && kLanguages[static_cast<size_t>(*index)].code == wanted) {
            in_use = *index;
        }
    }
    UseLanguage(in_use);
    language_chosen = language_in_use;
}

void CSettings::Load(int screen_width, int screen_height) {
    snapshot_folder = ReadText(kConfig, "Snapshot Path", snapshot_folder);
    ui_mode_in_use =
        NormalisedUiMode(ReadInt(kConfig, "UIMode", ui_mode_in_use), screen_width, screen_height);
    ui_mode_chosen = ui_mode_in_use;
    default_longitude =
        ParseDecimal(ReadText(kConfig, "m_default_lng", FormatDecimal(default_longitude)));
    default_latitude =
        ParseDecimal(ReadText(kConfig, "m_default_lat", FormatDecimal(default_latitude)));
    display_mode = ReadInt(kConfig, "DisplayMode", display_mode);
    unit_of_speed = ReadInt(kConfig, "UnitOfSpeed", unit_of_speed);
    sound_amplification = ReadInt(kConfig, "m_dSoundAmplification", sound_amplification);
    image_type = ReadInt(kConfig, "m_imagetype", image_type);
    continuous_shooting_count = ReadInt(kConfig, "m_contishoot", continuous_shooting_count);
}

std::error_code CSettings::Save() {
    ui_mode_in_use = ui_mode_chosen;
    IniFile file = IniFile::Load(locations_.config_file);
    // A folder whose name holds a line break cannot be stored; the one stored before stays.
    const bool folder_stored = file.Set(kConfig, "Snapshot Path", snapshot_folder);
    file.Set(kConfig, "UIMode", std::to_string(ui_mode_in_use));
    file.Set(kConfig, "m_default_lng", FormatDecimal(default_longitude));
    file.Set(kConfig, "m_default_lat", FormatDecimal(default_latitude));
    file.Set(kConfig, "DisplayMode", std::to_string(display_mode));
    file.Set(kConfig, "UnitOfSpeed", std::to_string(unit_of_speed));
    file.Set(kConfig, "m_dSoundAmplification", std::to_string(sound_amplification));
    file.Set(kConfig, "m_imagetype", std::to_string(image_type));
    file.Set(kConfig, "m_contishoot", std::to_string(continuous_shooting_count));
    std::error_code ignored;
    std::filesystem::create_directories(locations_.config_file.parent_path(), ignored);
    const std::error_code error = file.Save(locations_.config_file);
    return error || folder_stored ? error : std::make_error_code(std::errc::invalid_argument);
}

std::error_code CSettings::SaveLanguage() {
    if (language_chosen != language_in_use) {
        UseLanguage(language_chosen);
    }
    return WriteText(kConfig, "Language File",
                     kLanguages[static_cast<size_t>(language_in_use)].code);
}

std::string CSettings::Translate(std::string_view key) const {
    if (!IsLanguageAvailable(language_in_use)) {
        return std::string(key);
    }
    return CutToTextLimit(translations_.Get(kLanguageSection, key).value_or(std::string(key)));
}

bool CSettings::IsLanguageAvailable(int index) const {
    return index >= 0 && static_cast<size_t>(index) < language_available_.size() &&
           language_available_[static_cast<size_t>(index)];
}

int LargestUiMode(int screen_width, int screen_height) {
    if (screen_width < 1280 || screen_height < 800) {
        return 0;
    }
    return screen_width >= 1920 && screen_height >= 1080 ? 2 : 1;
}

int NormalisedUiMode(int configured, int screen_width, int screen_height) {
    const int largest = LargestUiMode(screen_width, screen_height);
    if (configured < 0 || configured > 2 || configured > largest) {
        return largest;
    }
    return configured;
}

} // namespace korvex
