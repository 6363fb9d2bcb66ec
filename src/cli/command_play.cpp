#include "app/korvex_app.h"
#include "audio/pulse/pulse_sound_driver.h"
#include "commands.h"
#include "engine/manual_clock.h"
#include "interruption.h"
#include "play_arguments.h"
#include "play_director.h"
#include "play_report.h"
#include "playback/ts_chn.h"
#include "stream/read_only_file.h"
#include "ui_message_loop.h"
#include "video/memory_video_output.h"
#include "video/snapshot_name.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace korvex::cli {
namespace {

// How often the loop looks at the run when no message comes.
constexpr auto kTurn = std::chrono::milliseconds(20);

void ReportSnapshots(const std::string& base_path, int count) {
    for (int index = 0; index < count; ++index) {
        const std::string shot = SnapshotShotPath(base_path, index);
        if (std::filesystem::exists(shot)) {
            std::fprintf(stderr, "korvex-cli play: snapshot '%s'\n", shot.c_str());
        } else {
            std::fprintf(stderr, "korvex-cli play: snapshot '%s' was not written\n", shot.c_str());
        }
    }
}

} // namespace

int RunPlay(std::span<char* const> args) {
    if (std::ranges::find(args, std::string_view("--help")) != args.end()) {
        std::fputs(kPlayUsage, stdout);
        return 0;
    }
    const std::optional<PlayArguments> arguments = ParsePlayArguments(args);
    if (!arguments) {
        std::fputs(kPlayUsage, stderr);
        return 2;
    }
    // The reader takes a recording it cannot open for one without data; here that is an error.
    if (ReadOnlyFile probe; !probe.Open(arguments->file)) {
        std::fprintf(stderr, "korvex-cli play: cannot read '%s'\n", arguments->file.c_str());
        return 1;
    }
    std::error_code error;
    const std::string source =
        std::filesystem::absolute(arguments->file, error).lexically_normal().string();

    CKorvexApp app(SettingsLocations::ForThisProgram());
    app.Prepare(1920, 1080);
    CSettings& settings = app.Settings();

    UiMessageLoop loop;
    InMemoryVideoOutput output;
    pulse::PulseSoundDriver pulse;
    ManualClock unpaced_clock(ManualClock::Mode::kAutoAdvance);
    Clock& clock = arguments->unpaced ? static_cast<Clock&>(unpaced_clock) : SystemClock();
    PlayReport report(clock, arguments->pictures, !arguments->unpaced);

    ChannelPlatform platform;
    platform.messages = &loop;
    platform.video_output = &output;
    platform.sound = arguments->sound == PlaySound::kPulse ? &pulse : nullptr;
    platform.clock = &clock;
    platform.on_picture = [&](const PictureNotice& notice) {
        report.OnPicture(notice);
        loop.Wake();
    };
    platform.gps_text = &app.GpsText();
    platform.display_mode = &settings.display_mode;
    platform.sound_amplification = &settings.sound_amplification;

    int status = 0;
    std::string snapshot_base_path;
    PlayEnd end = PlayEnd::kInterrupted;
    {
        CTSChn channel(platform);
        channel.SetSource(source);
        PlayDirector director(*arguments, channel, report, settings);
        director.BeforeOpen();
        if (!channel.Open()) {
            std::fprintf(stderr, "korvex-cli play: cannot start playing '%s'\n", source.c_str());
            return 1;
        }
        const auto handle = [&](MessageTarget target, const Message& message) {
            if (target == MessageTarget::kMainWindow && message.id == kMessageNewRoute) {
                report.OnNewRoute();
            }
            director.OnMessage(target, message);
        };
        CatchInterrupt();
        for (;;) {
            loop.RunFor(kTurn, handle);
            director.Tick();
            if (Interrupted()) {
                break;
            }
            if (const std::optional<PlayEnd> ended = director.End()) {
                end = *ended;
                break;
            }
        }
        channel.Close();
        snapshot_base_path = director.SnapshotBasePath();
    }
    if (!report.PrintSummary(end)) {
        status = 1;
    }
    if (!snapshot_base_path.empty()) {
        ReportSnapshots(snapshot_base_path, SnapshotShotCount(settings.continuous_shooting_count));
    }
    if (report.Pictures() == 0) {
        std::fprintf(stderr, "korvex-cli play: no picture was shown from '%s'\n", source.c_str());
        status = 1;
    }
    return status;
}

} // namespace korvex::cli
