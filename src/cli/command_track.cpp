#include "app/g_sensor_sample.h"
#include "app/gps_text_buffer.h"
#include "app/message_sink.h"
#include "commands.h"
#include "engine/audio_packet_buffer.h"
#include "engine/play_state.h"
#include "engine/video_packet_buffer.h"
#include "playback/ts_chn.h"
#include "positioning/gps_text_parser.h"
#include "positioning/rmc_time.h"
#include "stream/read_only_file.h"
#include "stream/ts_analyse.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace korvex::cli {

namespace {

// The reader goes quiet once it waits at the end of the data: then the track is complete.
constexpr auto kQuietEnd = std::chrono::milliseconds(500);

struct TrackPoint {
    double latitude = 0;
    double longitude = 0;
    std::optional<RmcTime> time;
};

// Takes the reader's messages on its thread: remembers the position and turns every GPS text
// into a line, with outputs that carry over from text to text as the map view's do.
class TrackSink final : public MessageSink {
public:
    TrackSink(const GpsTextBuffer& gps, std::string only_path)
        : gps_(gps), only_path_(std::move(only_path)) {}

    // Before the reader starts.
    void SetReader(const CTSAnalyse* reader) { reader_ = reader; }

    void Post(MessageTarget target, const Message& message) override {
        last_message_.store(std::chrono::steady_clock::now().time_since_epoch().count());
        if (target == MessageTarget::kPanel && message.id == kMessagePosition) {
            position_ = static_cast<int>(message.wparam);
        } else if (target == MessageTarget::kMainWindow && message.id == kMessageGpsText) {
            // Without following, what the reader delivers from the next recording is not ours.
            if (only_path_.empty() || reader_->CurrentPath() == only_path_) {
                PrintText(gps_.Load());
            }
        }
    }

    bool Send(MessageTarget /*target*/, const Message& /*message*/,
              std::stop_token /*stop*/) override {
        return true; // no one to wait for: a forward run sends no new route anyway
    }

    std::chrono::steady_clock::time_point LastMessage() const {
        return std::chrono::steady_clock::time_point(
            std::chrono::steady_clock::duration(last_message_.load()));
    }

    // After the reader has stopped.
    const std::vector<TrackPoint>& Points() const { return points_; }

private:
    void PrintText(const std::string& text) {
        const int accepted = ParseGpsText(text, g_sensor_, &record_.latitude, &record_.longitude,
                                          &record_.speed, &record_.course);
        std::printf("%d\t%d\t%.6f\t%.6f\t%.6f\t%.6f\t%.6f\t%.6f\t%.6f\n", position_, accepted,
                    record_.latitude, record_.longitude, record_.speed, record_.course, g_sensor_.x,
                    g_sensor_.y, g_sensor_.z);
        if (accepted == 1) {
            points_.push_back({record_.latitude, record_.longitude, ParseRmcTime(text)});
        }
    }

    const GpsTextBuffer& gps_;
    const CTSAnalyse* reader_ = nullptr;
    const std::string only_path_;
    std::atomic<std::chrono::steady_clock::duration::rep> last_message_{
        std::chrono::steady_clock::now().time_since_epoch().count()};
    // The reader's thread's.
    int position_ = 0;
    GSensorSample g_sensor_;
    GpsRecord record_;
    std::vector<TrackPoint> points_;
};

bool WriteGpx(const std::string& path, const std::vector<TrackPoint>& points) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) {
        return false;
    }
    std::fputs(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<gpx version=\"1.1\" creator=\"Korvex\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
        "<trk><trkseg>\n",
        out);
    for (const TrackPoint& point : points) {
        std::fprintf(out, "<trkpt lat=\"%.6f\" lon=\"%.6f\">", point.latitude, point.longitude);
        if (point.time) {
            const RmcTime& t = *point.time;
            std::fprintf(out, "<time>%04d-%02d-%02dT%02d:%02d:%02dZ</time>", t.year, t.month, t.day,
                         t.hour, t.minute, t.second);
        }
        std::fputs("</trkpt>\n", out);
    }
    std::fputs("</trkseg></trk>\n</gpx>\n", out);
    const bool written = std::ferror(out) == 0;
    return std::fclose(out) == 0 && written;
}

struct TrackArguments {
    std::string file;
    bool follow = false;
    std::string gpx;
};

bool ParseArguments(std::span<char* const> args, TrackArguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (std::strcmp(args[i], "--follow") == 0) {
            parsed.follow = true;
        } else if (std::strcmp(args[i], "--gpx") == 0 && i + 1 < args.size()) {
            parsed.gpx = args[++i];
        } else if (parsed.file.empty() && args[i][0] != '-') {
            parsed.file = args[i];
        } else {
            return false;
        }
    }
    return !parsed.file.empty();
}

// Takes every packet there is now; true when there was one.
bool Drain(CVBuffer2& video, CABuffer2& audio) {
    bool any = false;
    PacketRecord record;
    while (video.Get(record)) {
        any = true;
    }
    while (audio.Get(record)) {
        any = true;
    }
    return any;
}

// Without following: once the reader has moved past FILE. Either way: once it has read the
// whole of its recording and has been quiet since, waiting for a next one.
bool TrackComplete(const CTSAnalyse& reader, const TrackSink& sink,
                   const TrackArguments& arguments) {
    const std::string path = reader.CurrentPath();
    if (!arguments.follow && path != arguments.file) {
        return true;
    }
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || reader.CurrentPosition() < static_cast<std::int64_t>(size)) {
        return false;
    }
    return std::chrono::steady_clock::now() - sink.LastMessage() >= kQuietEnd;
}

} // namespace

int RunTrack(std::span<char* const> args) {
    TrackArguments arguments;
    if (!ParseArguments(args, arguments)) {
        std::fputs("usage: korvex-cli track FILE [--follow] [--gpx OUT.gpx]\n", stderr);
        return 2;
    }
    // The reader takes a recording it cannot open for one without data; here that is an error.
    if (ReadOnlyFile probe; !probe.Open(arguments.file)) {
        std::fprintf(stderr, "korvex-cli track: cannot read '%s'\n", arguments.file.c_str());
        return 1;
    }

    PlayState play;
    GpsTextBuffer gps;
    CVBuffer2 video;
    CABuffer2 audio;
    CTSChn::OpenBuffers(video, audio);
    TrackSink sink(gps, arguments.follow ? std::string() : arguments.file);
    CTSAnalyse reader(play, gps, &sink);
    sink.SetReader(&reader);
    reader.SetBuffers(&video, &audio);
    if (!reader.Start(arguments.file)) {
        std::fprintf(stderr, "korvex-cli track: cannot start reading '%s'\n",
                     arguments.file.c_str());
        return 1;
    }
    // No workers run: this thread takes the packets. A short nap when there are none, since
    // the reader fills the audio buffer's few packets far faster than a millisecond.
    while (!TrackComplete(reader, sink, arguments)) {
        if (!Drain(video, audio)) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    }
    // The channel's order: the buffers first, so that a reader waiting in Put returns.
    video.Close();
    audio.Close();
    reader.Stop();
    if (std::fflush(stdout) != 0) {
        return 1;
    }
    if (!arguments.gpx.empty() && !WriteGpx(arguments.gpx, sink.Points())) {
        std::fprintf(stderr, "korvex-cli track: cannot write '%s'\n", arguments.gpx.c_str());
        return 1;
    }
    return 0;
}

} // namespace korvex::cli
