#include "commands.h"
#include "export/clip_format_probe.h"
#include "export/clip_marks.h"
#include "export/ts_backup.h"
#include "interruption.h"
#include "number_argument.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace korvex::cli {
namespace {

constexpr const char* kUsage =
    "usage: korvex-cli export --in FILE[:BYTEPOS] --out FILE[:BYTEPOS] [--fps N] [--size WxH]\n"
    "                         OUTPUT\n"
    "Exports the stretch from the mark-in point to the mark-out point, across the recordings\n"
    "between them: an AVI clip when OUTPUT ends in \".avi\" (any case), else a transport-stream\n"
    "clip. Without BYTEPOS the clip starts at the start of the in-file and runs to the end of\n"
    "the out-file. An AVI clip takes the frame rate and picture size of the in-file unless\n"
    "--fps and --size give them.\n";

// Marks the file without a position as running through its end.
constexpr std::int64_t kThroughTheEnd = std::numeric_limits<std::int64_t>::max();
constexpr int kBarWidth = 40;

int Usage(const char* problem = nullptr) {
    if (problem != nullptr) {
        std::fprintf(stderr, "korvex-cli export: %s\n", problem);
    }
    std::fputs(kUsage, stderr);
    return 2;
}

// "FILE[:BYTEPOS]": the position is what follows the last colon when it is all digits. The
// path is made absolute and normal, so that the recordings found after it compare equal to it.
std::optional<std::pair<std::string, std::int64_t>> MarkOf(std::string_view text,
                                                           std::int64_t missing) {
    std::int64_t position = missing;
    const std::size_t colon = text.rfind(':');
    if (colon != std::string_view::npos) {
        if (const auto number = ParseNumber<std::int64_t>(text.substr(colon + 1))) {
            position = *number;
            text = text.substr(0, colon);
        }
    }
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(text, error).lexically_normal();
    if (error || !std::filesystem::is_regular_file(path, error)) {
        std::fprintf(stderr, "korvex-cli export: no recording '%.*s'\n",
                     static_cast<int>(text.size()), text.data());
        return std::nullopt;
    }
    return std::pair(path.string(), position);
}

struct Arguments {
    std::string in;
    std::string out;
    std::string output;
    std::optional<int> fps;
    std::optional<std::pair<int, int>> size;
};

std::optional<std::pair<int, int>> SizeOf(std::string_view text) {
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos) {
        return std::nullopt;
    }
    const auto width = ParseNumber<int>(text.substr(0, x));
    const auto height = ParseNumber<int>(text.substr(x + 1));
    if (!width || !height) {
        return std::nullopt;
    }
    return std::pair(*width, *height);
}

// Fills `arguments`; the exit status of a usage error, or 0.
int Parse(std::span<char* const> args, Arguments& arguments) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool has_value = i + 1 < args.size();
        if ((arg == "--in" || arg == "--out" || arg == "--fps" || arg == "--size") && !has_value) {
            return Usage("an option without its value");
        }
        if (arg == "--in") {
            arguments.in = args[++i];
        } else if (arg == "--out") {
            arguments.out = args[++i];
        } else if (arg == "--fps") {
            arguments.fps = ParseNumber<int>(args[++i]);
            if (!arguments.fps || *arguments.fps <= 0) {
                return Usage("--fps takes a number of pictures per second");
            }
        } else if (arg == "--size") {
            arguments.size = SizeOf(args[++i]);
            if (!arguments.size) {
                return Usage("--size takes WIDTHxHEIGHT");
            }
        } else if (arg.starts_with("--") || !arguments.output.empty()) {
            return Usage();
        } else {
            arguments.output = arg;
        }
    }
    return arguments.in.empty() || arguments.out.empty() || arguments.output.empty() ? Usage() : 0;
}

void ShowProgress(double fraction) {
    const int filled = static_cast<int>(fraction * kBarWidth);
    std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled,
                 "========================================", kBarWidth - filled, "",
                 static_cast<int>(fraction * 100));
    std::fflush(stderr);
}

} // namespace

int RunExport(std::span<char* const> args) {
    Arguments arguments;
    if (const int status = Parse(args, arguments); status != 0) {
        return status;
    }
    const auto in = MarkOf(arguments.in, 0);
    const auto out = MarkOf(arguments.out, kThroughTheEnd);
    if (!in || !out) {
        return 1;
    }
    ClipMarks marks;
    marks.MarkIn(in->first, in->second);
    marks.MarkOut(out->first, out->second);
    if (!marks.ExportAllowed()) {
        return Usage("the mark-out point must come after the mark-in point");
    }
    ClipFormat format{arguments.fps.value_or(0), arguments.size ? arguments.size->first : 0,
                      arguments.size ? arguments.size->second : 0};
    if (IsAviOutput(arguments.output) && (!arguments.fps || !arguments.size)) {
        const std::optional<ClipFormat> probed = ProbeClipFormat(marks.in.path);
        if (!probed) {
            std::fprintf(stderr, "korvex-cli export: no picture in %s; give --fps and --size\n",
                         marks.in.path.c_str());
            return 1;
        }
        format = {arguments.fps.value_or(probed->frame_rate),
                  arguments.size ? format.width : probed->width,
                  arguments.size ? format.height : probed->height};
    }

    CatchInterrupt();
    CTSBackup backup;
    if (backup.Begin(arguments.output, format.frame_rate, format.width, format.height,
                     marks.in.path, marks.in.position, marks.out.path, marks.out.position)) {
        for (double shown = -1; backup.IsRunning();
             std::this_thread::sleep_for(std::chrono::milliseconds(100))) {
            if (Interrupted()) {
                backup.Stop();
            }
            if (const double now = backup.Progress(); now != shown) {
                ShowProgress(shown = now);
            }
        }
        ShowProgress(backup.Progress());
        std::fputc('\n', stderr);
    }
    const BackupResult result = backup.Result();
    const std::string text =
        FinishText(result, [](std::string_view english) { return std::string(english); });
    const bool finished = result.outcome == BackupOutcome::kFinished;
    std::fprintf(finished ? stdout : stderr, "%s\n", text.c_str());
    return finished && std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace korvex::cli
