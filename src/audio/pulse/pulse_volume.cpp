#include "audio/pulse/pulse_volume.h"

#include <algorithm>
#include <pulse/introspect.h>
#include <pulse/thread-mainloop.h>
#include <pulse/volume.h>

namespace korvex::pulse {
namespace {

constexpr uint64_t kFullScale = 65535;

// The replies of the server, filled in by the callbacks below.
struct ServerReply {
    const PulseConnection* connection;
    std::string default_sink;
};

struct SuccessReply {
    const PulseConnection* connection;
    bool success = false;
};

struct SinkState {
    const PulseConnection* connection;
    bool found = false;
    int channels = 0;
    pa_volume_t volume = PA_VOLUME_MUTED;
};

void OnServerInfo(pa_context*, const pa_server_info* info, void* data) {
    auto* reply = static_cast<ServerReply*>(data);
    if (info && info->default_sink_name) {
        reply->default_sink = info->default_sink_name;
    }
    reply->connection->Signal();
}

void OnSinkInfo(pa_context*, const pa_sink_info* info, int eol, void* data) {
    auto* sink = static_cast<SinkState*>(data);
    if (!eol && info) {
        sink->found = true;
        sink->channels = info->volume.channels;
        sink->volume = pa_cvolume_max(&info->volume);
    }
    sink->connection->Signal();
}

void OnSuccess(pa_context*, int success, void* data) {
    auto* reply = static_cast<SuccessReply*>(data);
    reply->success = success != 0;
    reply->connection->Signal();
}

} // namespace

bool PulseVolume::FindOutput() {
    if (!connected_) {
        connected_ = connection_.Connect("Korvex volume");
    }
    if (!connected_) {
        return false;
    }
    PulseConnection::LoopLock lock(connection_);
    ServerReply server{&connection_, {}};
    if (!connection_.Complete(
            pa_context_get_server_info(connection_.Context(), &OnServerInfo, &server)) ||
        server.default_sink.empty()) {
        return false;
    }
    SinkState sink{&connection_};
    if (!connection_.Complete(pa_context_get_sink_info_by_name(
            connection_.Context(), server.default_sink.c_str(), &OnSinkInfo, &sink)) ||
        !sink.found) {
        return false;
    }
    sink_ = server.default_sink;
    channels_ = sink.channels;
    return true;
}

std::optional<unsigned> PulseVolume::ReadVolume() {
    if (sink_.empty()) {
        return std::nullopt;
    }
    PulseConnection::LoopLock lock(connection_);
    SinkState sink{&connection_};
    if (!connection_.Complete(pa_context_get_sink_info_by_name(connection_.Context(), sink_.c_str(),
                                                               &OnSinkInfo, &sink)) ||
        !sink.found) {
        return std::nullopt;
    }
    const uint64_t scaled =
        (uint64_t{sink.volume} * kFullScale + PA_VOLUME_NORM / 2) / PA_VOLUME_NORM;
    return static_cast<unsigned>(std::min(scaled, kFullScale));
}

bool PulseVolume::WriteVolume(unsigned volume) {
    if (sink_.empty()) {
        return false;
    }
    const uint64_t level = std::min<uint64_t>(volume, kFullScale);
    pa_cvolume channels;
    pa_cvolume_set(
        &channels, static_cast<unsigned>(channels_),
        static_cast<pa_volume_t>((level * PA_VOLUME_NORM + kFullScale / 2) / kFullScale));
    PulseConnection::LoopLock lock(connection_);
    SuccessReply reply{&connection_};
    return connection_.Complete(pa_context_set_sink_volume_by_name(
               connection_.Context(), sink_.c_str(), &channels, &OnSuccess, &reply)) &&
           reply.success;
}

} // namespace korvex::pulse
