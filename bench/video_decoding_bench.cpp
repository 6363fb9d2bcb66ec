// Decoding and showing a 1920 x 1080 recording unpaced: the stream reader fills the video
// packet buffer, the video worker decodes every picture and presents it to the in-memory output
// on an auto-advancing clock (no real waits), in both display modes. The reference is FFmpeg's
// own command on the same file, one thread and no audio: ffmpeg -threads 1 -an -f null.
// Printed: pictures per second of wall-clock and of CPU time (the best of a few interleaved
// rounds) and peak memory (resident set) of both, and their ratios. The machine is shared, so
// the CPU-time rate is the steadier number.
//
//   bench_video_decoding [seconds of recording, default 10]
#include "app/gps_text_buffer.h"
#include "engine/audio_packet_buffer.h"
#include "engine/manual_clock.h"
#include "engine/play_state.h"
#include "engine/video_packet_buffer.h"
#include "mkcard/card_writer.h"
#include "stream/ts_analyse.h"
#include "video/memory_video_output.h"
#include "video/video_ctx.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace korvex {
namespace {

constexpr int kFps = 30;
constexpr int kRounds = 3;

struct Result {
    double pictures_per_second = 0;     // wall clock
    double pictures_per_cpu_second = 0; // user and system time of every thread
    double peak_mib = 0;
};

using Seconds = std::chrono::duration<double>;

// The best rates and the highest peak seen.
void Keep(Result& best, const Result& run) {
    best.pictures_per_second = std::max(best.pictures_per_second, run.pictures_per_second);
    best.pictures_per_cpu_second =
        std::max(best.pictures_per_cpu_second, run.pictures_per_cpu_second);
    best.peak_mib = std::max(best.peak_mib, run.peak_mib);
}

double CpuSeconds(const rusage& usage) {
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double CpuSecondsOfThisProcess() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return CpuSeconds(usage);
}

// The card is written by a child process, so its encoder's memory does not count here.
bool WriteRecording(const std::filesystem::path& out, int seconds) {
    const pid_t child = fork();
    if (child == 0) {
        mkcard::CardOptions options;
        options.seconds = seconds;
        options.width = 1920;
        options.height = 1080;
        options.fps = kFps;
        options.gop = kFps;
        try {
            mkcard::WriteCard(options, out);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "cannot write the recording: %s\n", error.what());
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Peak resident set of this process since the last reset, from /proc.
double PeakMib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

Result PlayThrough(const std::filesystem::path& file, int pictures, int display_mode) {
    ManualClock clock(ManualClock::Mode::kAutoAdvance);
    PlayState play(clock);
    play.SetNormalSpeed(false); // no audio is queued, as with -an
    GpsTextBuffer gps;
    CVBuffer2 video;
    CABuffer2 audio;
    InMemoryVideoOutput output;
    std::atomic<int> mode{display_mode};
    CVideoCtx worker(
        video, play, mode, [](bool) {}, clock);
    CTSAnalyse reader(play, gps, nullptr, clock);
    worker.SetOutput(&output);
    reader.SetBuffers(&video, &audio);
    video.SetChainState(0);
    video.Open(2097152, 524288, BufferMode::kBlocking);
    audio.Open(131072, 16384, BufferMode::kBlocking);

    ResetPeak();
    const double cpu_start = CpuSecondsOfThisProcess();
    const auto start = std::chrono::steady_clock::now();
    worker.Start();
    reader.Start(file.string());
    // The last picture of the last recording stays with the reader: a picture is complete only
    // when the next one begins.
    const int shown = pictures - 1;
    while (output.ShowCount() < shown) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const Seconds took = std::chrono::steady_clock::now() - start;
    const double cpu = CpuSecondsOfThisProcess() - cpu_start;
    const double peak = PeakMib();
    video.Close();
    audio.Close();
    reader.Stop();
    worker.Stop(CMyThread::kStopTimeoutMs);
    return {shown / took.count(), shown / cpu, peak};
}

Result Ffmpeg(const std::filesystem::path& file, int pictures) {
    const std::string input = file.string();
    const char* argv[] = {"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-threads",
                          "1",      "-i",       input.c_str(),  "-an",       "-f",    "null",
                          "-",      nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, "ffmpeg", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        return {};
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return {};
    }
    const Seconds took = std::chrono::steady_clock::now() - start;
    return {pictures / took.count(), pictures / CpuSeconds(usage),
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

void Print(const char* name, const Result& result) {
    std::printf("%-40s %7.1f pictures/s %7.1f per CPU second  peak %5.1f MiB\n", name,
                result.pictures_per_second, result.pictures_per_cpu_second, result.peak_mib);
}

void PrintRatio(const Result& result, const Result& reference) {
    std::printf("%-40s %7.2f x ffmpeg   %7.2f x ffmpeg          %5.2f x ffmpeg\n", "",
                result.pictures_per_second / reference.pictures_per_second,
                result.pictures_per_cpu_second / reference.pictures_per_cpu_second,
                result.peak_mib / reference.peak_mib);
}

} // namespace
} // namespace korvex

int main(int argc, char** argv) {
    using namespace korvex;
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const int pictures = seconds * kFps;
    char folder[] = "/tmp/korvex-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::filesystem::path out = folder;
    if (!WriteRecording(out, seconds)) {
        std::filesystem::remove_all(out);
        return 1;
    }
    const std::filesystem::path file =
        std::filesystem::directory_iterator(out / "DCIM" / "100MEDIA")->path();
    const double file_mib = static_cast<double>(std::filesystem::file_size(file)) / (1 << 20);
    // Interleaved rounds, so that a busy machine disturbs every side alike.
    Result reference;
    Result yv12;
    Result rgb;
    for (int round = 0; round < kRounds; ++round) {
        Keep(reference, Ffmpeg(file, pictures));
        Keep(yv12, PlayThrough(file, pictures, 0));
        Keep(rgb, PlayThrough(file, pictures, 1));
    }
    std::filesystem::remove_all(out);
    if (reference.pictures_per_second <= 0) {
        std::fprintf(stderr, "ffmpeg did not run\n");
        return 1;
    }
    std::printf("1920x1080, %d pictures, %.1f MiB file, best of %d rounds\n", pictures, file_mib,
                kRounds);
    Print("ffmpeg -threads 1 -an -f null", reference);
    Print("reader, worker, in-memory output: YV12", yv12);
    PrintRatio(yv12, reference);
    Print("reader, worker, in-memory output: RGB", rgb);
    PrintRatio(rgb, reference);
    return 0;
}
