#include "positioning/route_reader.h"

#include "app/gps_text_buffer.h"
#include "app/message_sink.h"
#include "engine/audio_packet_buffer.h"
#include "engine/play_state.h"
#include "engine/video_packet_buffer.h"
#include "playback/ts_chn.h"
#include "positioning/rmc_time.h"
#include "stream/ts_analyse.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <utility>

namespace korvex {
namespace {

// The reader goes quiet once it waits at the end of the data: then the route is complete.
constexpr auto kQuietEnd = std::chrono::milliseconds(500);

// Takes the reader's messages on its thread: remembers the position and reads every GPS text.
class RouteSink final : public MessageSink {
public:
    RouteSink(const GpsTextBuffer& gps, const RouteReading& reading)
        : gps_(gps), reading_(reading) {}

    // Before the reader starts.
    void SetReader(const CTSAnalyse* reader) { reader_ = reader; }

    void Post(MessageTarget target, const Message& message) override {
        last_message_.store(std::chrono::steady_clock::now().time_since_epoch().count());
        if (target == MessageTarget::kPanel && message.id == kMessagePosition) {
            position_ = static_cast<int>(message.wparam);
        } else if (target == MessageTarget::kMainWindow && message.id == kMessageGpsText) {
            // Without following, what the reader delivers from the next recording is not ours.
            const std::string recording = reader_->CurrentPath();
            if (reading_.follow || recording == reading_.file) {
                Read(recording, gps_.Load());
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
    std::vector<TrackPoint> TakePoints() { return std::move(points_); }

private:
    void Read(const std::string& recording, const std::string& text) {
        const int accepted = ParseGpsText(text, g_sensor_, &record_.latitude, &record_.longitude,
                                          &record_.speed, &record_.course);
        if (reading_.on_text) {
            reading_.on_text({recording, position_, accepted, record_, g_sensor_});
        }
        if (accepted == 1) {
            points_.push_back({record_.latitude, record_.longitude, ParseRmcTime(text)});
        }
    }

    const GpsTextBuffer& gps_;
    const RouteReading& reading_;
    const CTSAnalyse* reader_ = nullptr;
    std::atomic<std::chrono::steady_clock::duration::rep> last_message_{
        std::chrono::steady_clock::now().time_since_epoch().count()};
    // The reader's thread's.
    int position_ = 0;
    GSensorSample g_sensor_;
    GpsRecord record_;
    std::vector<TrackPoint> points_;
};

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

// Without following: once the reader has moved past the file. Either way: once it has read the
// whole of its recording and has been quiet since, waiting for a next one.
bool RouteComplete(const CTSAnalyse& reader, const RouteSink& sink, const RouteReading& reading) {
    const std::string path = reader.CurrentPath();
    if (!reading.follow && path != reading.file) {
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

std::optional<std::vector<TrackPoint>> ReadRoute(const RouteReading& reading,
                                                 std::stop_token stop) {
    PlayState play;
    GpsTextBuffer gps;
    CVBuffer2 video;
    CABuffer2 audio;
    if (!CTSChn::OpenBuffers(video, audio)) {
        return std::nullopt;
    }
    RouteSink sink(gps, reading);
    CTSAnalyse reader(play, gps, &sink);
    sink.SetReader(&reader);
    reader.SetBuffers(&video, &audio);
    if (!reader.Start(reading.file)) {
        return std::nullopt;
    }
    // No workers run: this thread takes the packets. A short nap when there are none, since
    // the reader fills the audio buffer's few packets far faster than a millisecond.
    while (!stop.stop_requested() && !RouteComplete(reader, sink, reading)) {
        if (!Drain(video, audio)) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    }
    // The channel's order: the buffers first, so that a reader waiting in Put returns.
    video.Close();
    audio.Close();
    reader.Stop();
    return sink.TakePoints();
}

} // namespace korvex
