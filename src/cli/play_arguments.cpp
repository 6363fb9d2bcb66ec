#include "play_arguments.h"

#include "number_argument.h"
#include "playback/panel_commands.h"
#include "stream/recording_lookup.h"
#include "stream/ts_analyse.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace korvex::cli {
namespace {

bool Fail(const char* problem, std::string_view detail = "") {
    std::fprintf(stderr, "korvex-cli play: %s%s\n", problem, std::string(detail).c_str());
    return false;
}

// "YYYY-MM-DD HH:MM" in local time.
std::optional<std::time_t> ParseLocalMinute(const char* text) {
    std::tm local{};
    char rest = 0;
    if (std::sscanf(text, "%4d-%2d-%2d %2d:%2d%c", &local.tm_year, &local.tm_mon, &local.tm_mday,
                    &local.tm_hour, &local.tm_min, &rest) != 5) {
        return std::nullopt;
    }
    const std::chrono::year_month_day day{std::chrono::year(local.tm_year),
                                          std::chrono::month(static_cast<unsigned>(local.tm_mon)),
                                          std::chrono::day(static_cast<unsigned>(local.tm_mday))};
    if (!day.ok() || local.tm_hour < 0 || local.tm_hour > 23 || local.tm_min < 0 ||
        local.tm_min > 59) {
        return std::nullopt; // mktime would move "2024-13-45 99:99" into another date
    }
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1;
    const std::time_t time = std::mktime(&local);
    if (time == static_cast<std::time_t>(-1)) {
        return std::nullopt;
    }
    return time;
}

// One option with its value; false when the value is missing or unusable.
bool ParseValueOption(std::string_view option, const char* value, PlayArguments& parsed) {
    if (option == "--sound") {
        if (std::strcmp(value, "pulse") != 0 && std::strcmp(value, "null") != 0) {
            return Fail("--sound takes pulse or null, not ", value);
        }
        parsed.sound = std::strcmp(value, "pulse") == 0 ? PlaySound::kPulse : PlaySound::kNull;
    } else if (option == "--speed-slider") {
        parsed.speed_slider = ParseNumber<int>(value);
        if (!parsed.speed_slider || *parsed.speed_slider >= kSpeedSliderPositions) {
            return Fail("--speed-slider takes a position 0-8, not ", value);
        }
    } else if (option == "--step") {
        parsed.steps = ParseNumber<int>(value);
        if (!parsed.steps || *parsed.steps == 0) {
            return Fail("--step takes a number of pictures, not ", value);
        }
    } else if (option == "--seek") {
        parsed.seek = ParseNumber<int>(value);
        if (!parsed.seek || *parsed.seek < 1 || *parsed.seek > 1000) {
            return Fail("--seek takes thousandths 1-1000, not ", value);
        }
    } else if (option == "--play-at") {
        parsed.play_at = ParseLocalMinute(value);
        if (!parsed.play_at) {
            return Fail("--play-at takes a valid local \"YYYY-MM-DD HH:MM\", not ", value);
        }
    } else if (option == "--pause-after" || option == "--pictures") {
        const std::optional<long> count = ParseNumber<long>(value);
        if (!count || *count == 0) {
            return Fail("a number of pictures is needed, not ", value);
        }
        (option == "--pictures" ? parsed.pictures : parsed.pause_after) = count;
    } else {
        return Fail("unknown option ", option);
    }
    return true;
}

constexpr std::string_view kFlags[] = {"--unpaced", "--backward", "--snapshot", "--next",
                                       "--previous"};

bool IsFlag(std::string_view option) {
    return std::ranges::find(kFlags, option) != std::end(kFlags);
}

bool ParseFlag(std::string_view option, PlayArguments& parsed) {
    if (option == "--unpaced") {
        parsed.unpaced = true;
    } else if (option == "--backward") {
        parsed.backward = true;
    } else if (option == "--snapshot") {
        parsed.snapshot = true;
    } else {
        if (parsed.recording_switch) {
            return Fail("--next and --previous exclude each other");
        }
        parsed.recording_switch = option == "--next" ? kSeekNext : kSeekPrevious;
    }
    return true;
}

} // namespace

std::optional<PlayArguments> ParsePlayArguments(std::span<char* const> args) {
    PlayArguments parsed;
    bool sound_given = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view argument = args[i];
        if (!argument.starts_with("--")) {
            if (!parsed.file.empty()) {
                Fail("one recording only: ", argument);
                return std::nullopt;
            }
            parsed.file = argument;
        } else if (IsFlag(argument)) {
            if (!ParseFlag(argument, parsed)) {
                return std::nullopt;
            }
        } else if (i + 1 == args.size()) {
            Fail("a value is missing after ", argument);
            return std::nullopt;
        } else if (!ParseValueOption(argument, args[++i], parsed)) {
            return std::nullopt;
        } else {
            sound_given = sound_given || argument == "--sound";
        }
    }
    if (parsed.file.empty()) {
        Fail("no recording given");
        return std::nullopt;
    }
    if (parsed.play_at && NumberOf(parsed.file) < 0) {
        // Without a number in its name the folder is not listed, so no time can be found.
        Fail("--play-at needs a recording whose name carries a number (REC_0001.ts), not ",
             parsed.file);
        return std::nullopt;
    }
    if (parsed.unpaced) {
        // A sound device would pace the run by its playing.
        if (sound_given && parsed.sound == PlaySound::kPulse) {
            Fail("--unpaced plays without a sound device: give --sound null");
            return std::nullopt;
        }
        parsed.sound = PlaySound::kNull;
    }
    return parsed;
}

} // namespace korvex::cli
