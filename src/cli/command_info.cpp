#include "app/decimal_text.h"
#include "app/korvex_app.h"
#include "app/version.h"
#include "commands.h"

#include <cstdio>
#include <cstring>

namespace korvex::cli {

int RunVersion(std::span<char* const>) {
    std::printf("%s\n", ProgramVersionText().c_str());
    return 0;
}

namespace {

void PrintField(const char* name, const std::string& value) {
    std::printf("%s\t%s\n", name, value.c_str());
}

} // namespace

// Prepares the program as it does at start and prints what it found; writes nothing.
int RunInfo(std::span<char* const> args) {
    int width = 1920;
    int height = 1080;
    const bool screen_given = args.size() == 2 && std::strcmp(args[0], "--screen") == 0 &&
                              std::sscanf(args[1], "%dx%d", &width, &height) == 2;
    if (!args.empty() && !screen_given) {
        std::fputs("usage: korvex-cli info [--screen WIDTHxHEIGHT]\n", stderr);
        return 2;
    }
    CKorvexApp app(SettingsLocations::ForThisProgram());
    app.Prepare(width, height);
    const CSettings& settings = app.Settings();

    PrintField("version", app.VersionText());
    PrintField("program folder", settings.program_folder);
    PrintField("configuration", settings.Locations().config_file.string());
    PrintField("language",
               std::string(kLanguages[static_cast<size_t>(settings.language_in_use)].display_name));
    std::string available;
    for (int index = 0; index < static_cast<int>(kLanguages.size()); ++index) {
        if (settings.IsLanguageAvailable(index)) {
            available += (available.empty() ? "" : " ") +
                         std::string(kLanguages[static_cast<size_t>(index)].code);
        }
    }
    PrintField("languages available", available);
    PrintField("UI mode", std::to_string(settings.ui_mode_in_use) + " (for a " +
                              std::to_string(width) + "x" + std::to_string(height) + " screen)");
    PrintField("snapshot folder", settings.snapshot_folder);
    PrintField("map centre", FormatDecimal(settings.default_latitude) + ", " +
                                 FormatDecimal(settings.default_longitude));
    PrintField("display mode", std::to_string(settings.display_mode));
    PrintField("unit of speed", std::to_string(settings.unit_of_speed));
    PrintField("sound amplification", std::to_string(settings.sound_amplification));
    PrintField("image type", std::to_string(settings.image_type));
    PrintField("continuous shooting", std::to_string(settings.continuous_shooting_count));
    PrintField("GPS offset table", app.HasOffsetTable() ? "loaded" : "none");
    return 0;
}

} // namespace korvex::cli
