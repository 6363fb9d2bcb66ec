// Clip export throughput against references run on the same bytes in the same run: a
// transport-stream clip of three whole recordings against `cp` of those bytes (then synced, as
// the export syncs its clip), and an AVI clip of one recording against
// `ffmpeg -i IN -c:v copy -c:a pcm_s16le OUT.avi`. Each ratio is the reference's time over the
// export's: above 1, the export is faster.
#include "export/ts_backup.h"
#include "mkcard/card_writer.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <thread>

namespace korvex {
namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "korvex-export-bench";
        std::filesystem::remove_all(path);
        mkcard::CardOptions options;
        options.count = 3;
        options.seconds = 20;
        options.width = 1280;
        options.height = 720;
        options.crf = 12;
        mkcard::WriteCard(options, path / "card");
        return path;
    }();
    return folder;
}

std::string Recording(int index) {
    return (Folder() / "card/DCIM/100MEDIA" / ("REC_000" + std::to_string(index + 1) + ".ts"))
        .string();
}

double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Export(const std::string& output, int first, int last) {
    CTSBackup backup;
    backup.Begin(output, 30, 1280, 720, Recording(first), 0, Recording(last),
                 std::numeric_limits<std::int64_t>::max());
    while (backup.IsRunning()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        std::abort();
    }
}

void TransportStreamAgainstCp(benchmark::State& state) {
    const std::string out = (Folder() / "clip.nts").string();
    const std::string copy = (Folder() / "copy.ts").string();
    double ratio = 0;
    for (auto _ : state) {
        const double ours = Seconds([&] { Export(out, 0, 2); });
        const double cp = Seconds([&] {
            Shell("cat '" + Recording(0) + "' '" + Recording(1) + "' '" + Recording(2) + "' > '" +
                  copy + "' && sync '" + copy + "'");
        });
        state.SetIterationTime(ours);
        ratio = cp / ours;
    }
    state.counters["x_cp"] = ratio;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(out)));
}

void AviAgainstFfmpeg(benchmark::State& state) {
    const std::string out = (Folder() / "clip.avi").string();
    const std::string reference = (Folder() / "ffmpeg.avi").string();
    double ratio = 0;
    for (auto _ : state) {
        const double ours = Seconds([&] { Export(out, 0, 0); });
        const double ffmpeg = Seconds([&] {
            Shell("ffmpeg -nostdin -v error -y -i '" + Recording(0) +
                  "' -c:v copy -c:a pcm_s16le '" + reference + "'");
        });
        state.SetIterationTime(ours);
        ratio = ffmpeg / ours;
    }
    state.counters["x_ffmpeg"] = ratio;
}

BENCHMARK(TransportStreamAgainstCp)->Name("ts_export_vs_cp")->UseManualTime()->Iterations(3);
BENCHMARK(AviAgainstFfmpeg)->Name("avi_export_vs_ffmpeg")->UseManualTime()->Iterations(3);

} // namespace
} // namespace korvex

BENCHMARK_MAIN();
