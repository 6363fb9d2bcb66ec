#include "camera/camera_setting_fields.h"
#include "camera/camera_settings_file.h"
#include "commands.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace korvex::cli {
namespace {

constexpr const char* kUsage =
    "usage: korvex-cli settings show FILE\n"
    "       korvex-cli settings write FILE [name=value ...] [--clock \"YYYY-MM-DD HH:MM\"]\n"
    "A value is the index in the field's list or one of its texts; the clock fields are set\n"
    "with --clock (1980-01-01 00:00: the camera keeps its clock).\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

const CameraSettingField* FindField(std::string_view name) {
    for (const CameraSettingField& field : CameraSettingFields()) {
        if (field.name == name) {
            return &field;
        }
    }
    return nullptr;
}

// An index given in digits, or the position of a text in the field's list.
std::optional<unsigned> ValueIndex(const CameraSettingField& field, std::string_view value) {
    const auto& texts = field.texts;
    if (!value.empty() && value.size() < 4 &&
        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const unsigned index = static_cast<unsigned>(std::stoul(std::string(value)));
        return index < texts.size() ? std::optional(index) : std::nullopt;
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (EqualIgnoringCase(texts[i], value)) {
            return static_cast<unsigned>(i);
        }
    }
    return std::nullopt;
}

bool SetField(CameraSettings& settings, std::string_view assignment) {
    const std::size_t equals = assignment.find('=');
    const CameraSettingField* field =
        equals == std::string_view::npos ? nullptr : FindField(assignment.substr(0, equals));
    if (field == nullptr) {
        std::fprintf(stderr, "korvex-cli settings: '%.*s' is no setting (name=value)\n",
                     static_cast<int>(assignment.size()), assignment.data());
        return false;
    }
    if (field->texts.empty()) {
        std::fprintf(stderr, "korvex-cli settings: set the clock with --clock\n");
        return false;
    }
    const auto index = ValueIndex(*field, assignment.substr(equals + 1));
    if (!index) {
        std::string allowed;
        for (std::size_t i = 0; i < field->texts.size(); ++i) {
            allowed +=
                (i == 0 ? "" : ", ") + std::to_string(i) + " " + std::string(field->texts[i]);
        }
        std::fprintf(stderr, "korvex-cli settings: %.*s takes one of: %s\n",
                     static_cast<int>(field->name.size()), field->name.data(), allowed.c_str());
        return false;
    }
    settings.*field->member = *index;
    return true;
}

bool SetClock(CameraSettings& settings, const char* text) {
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0;
    int end = 0;
    const bool parsed = std::sscanf(text, "%4u-%2u-%2u %2u:%2u%n", &year, &month, &day, &hour,
                                    &minute, &end) == 5 &&
                        text[end] == '\0';
    const std::chrono::year_month_day date{std::chrono::year(static_cast<int>(year)),
                                           std::chrono::month(month), std::chrono::day(day)};
    if (!parsed || year < 1980 || year > 2235 || !date.ok() || hour > 23 || minute > 59) {
        std::fprintf(stderr, "korvex-cli settings: '%s' is no clock time (YYYY-MM-DD HH:MM)\n",
                     text);
        return false;
    }
    settings.year = year;
    settings.month = month;
    settings.day = day;
    settings.hour = hour;
    settings.minute = minute;
    return true;
}

int Show(const char* path) {
    CameraSettings settings;
    if (!ReadCameraSettings(path, settings)) {
        std::fprintf(stderr,
                     "korvex-cli settings: %s is no camera settings file the camera would take "
                     "(missing, shorter than 16 bytes, unknown marker or wrong checksum)\n",
                     path);
        return 1;
    }
    for (const CameraSettingField& field : CameraSettingFields()) {
        const unsigned value = settings.*field.member;
        std::printf("%.*s=%u", static_cast<int>(field.name.size()), field.name.data(), value);
        if (!field.texts.empty()) {
            const std::string_view text =
                value < field.texts.size() ? field.texts[value] : "(not in the list)";
            std::printf("\t%.*s", static_cast<int>(text.size()), text.data());
        }
        std::printf("\n");
    }
    return 0;
}

// Starts from the file's values, or from the defaults with the clock left alone.
int Write(const char* path, std::span<char* const> changes) {
    CameraSettings settings;
    ReadCameraSettings(path, settings);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const std::string_view change = changes[i];
        if (change == "--clock") {
            if (++i == changes.size()) {
                return Usage();
            }
            if (!SetClock(settings, changes[i])) {
                return 2;
            }
        } else if (!SetField(settings, change)) {
            return 2;
        }
    }
    if (!WriteCameraSettings(path, settings)) {
        std::fprintf(stderr, "korvex-cli settings: cannot write %s\n", path);
        return 1;
    }
    return 0;
}

} // namespace

int RunSettings(std::span<char* const> args) {
    if (args.size() == 2 && std::string_view(args[0]) == "show") {
        return Show(args[1]);
    }
    if (args.size() >= 2 && std::string_view(args[0]) == "write") {
        return Write(args[1], args.subspan(2));
    }
    return Usage();
}

} // namespace korvex::cli
