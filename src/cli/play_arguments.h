#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>

namespace korvex::cli {

enum class PlaySound { kPulse, kNull };

// What `korvex-cli play` was asked to do. The commands that need the program tables known
// (direction, steps, seek, recording switches) run once the first picture is on show.
struct PlayArguments {
    std::string file;
    PlaySound sound = PlaySound::kPulse;
    bool unpaced = false;
    std::optional<int> speed_slider; // 0-8
    bool backward = false;
    std::optional<int> steps;            // single pictures, then the run ends
    std::optional<int> seek;             // thousandths, 1-1000
    std::optional<int> recording_switch; // kSeekPrevious or kSeekNext
    std::optional<std::time_t> play_at;  // local time, once the recording list is complete
    std::optional<long> pause_after;     // pictures
    bool snapshot = false;
    std::optional<long> pictures; // the run ends after this many
};

inline constexpr const char* kPlayUsage =
    "usage: korvex-cli play FILE [--sound pulse|null] [--unpaced] [--speed-slider 0-8]\n"
    "                       [--backward] [--step K] [--seek 1-1000] [--next | --previous]\n"
    "                       [--play-at \"YYYY-MM-DD HH:MM\"] [--pause-after N] [--snapshot]\n"
    "                       [--pictures N]\n"
    "Plays FILE and the recordings after it as the viewer does, without a window, and prints a\n"
    "line for every picture shown and for every new route the map would start:\n"
    "  PICTURE<TAB>N<TAB>TYPE<TAB>TIMESTAMP<TAB>POSITION<TAB>RECORDING<TAB>INDEX\n"
    "  MESSAGE<TAB>1132\n"
    "RECORDING and INDEX come from a sample card's block code (-1 without one). The run ends\n"
    "after --pictures, after the last --step, once the card's last picture has been shown, on\n"
    "Ctrl-C, or once no picture has come for 2 seconds for another reason, with\n"
    "  SUMMARY<TAB>pictures=N<TAB>pictures_per_second=R<TAB>late=L<TAB>end=E\n"
    "where E is pictures, steps, card, interrupted or quiet.\n"
    "--unpaced plays as fast as the machine allows (no pacing, no sound device: --sound null);\n"
    "it counts no late pictures (late=-).\n"
    "--speed-slider gives the panel's slider position (4 is normal speed, with sound). --step\n"
    "shows K single pictures after the first picture and the moves asked for, backward with\n"
    "--backward. --seek, --next and --previous act in turn once the first picture is shown,\n"
    "--play-at once the folder's recordings are listed. --snapshot takes snapshots once the\n"
    "first picture is shown, with the configured folder, type and count.\n";

// The parsed arguments, or nothing (with the reason on the error output) when they are unusable.
std::optional<PlayArguments> ParsePlayArguments(std::span<char* const> args);

} // namespace korvex::cli
