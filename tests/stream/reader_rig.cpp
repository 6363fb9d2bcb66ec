#include "reader_rig.h"

#include "playback/ts_chn.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace korvex::test {

namespace {

constexpr std::size_t kHeadBytes = 8;

Taken Take(const PacketRecord& record) {
    Taken taken{record, {}};
    const std::size_t head =
        std::min<std::size_t>(kHeadBytes, static_cast<std::size_t>(record.size));
    taken.head.assign(record.data, record.data + head);
    taken.record.data = nullptr;
    return taken;
}

} // namespace

ReaderRig::ReaderRig() : reader(play, gps, &sink) {
    CTSChn::OpenBuffers(video, audio);
    reader.SetBuffers(&video, &audio);
    sink.SetObserver([this](const RecordingMessageSink::Record& record) {
        if (record.target == MessageTarget::kMainWindow && record.message.id == kMessageGpsText) {
            std::lock_guard lock(gps_lock_);
            gps_texts_.push_back({gps.Load(), gps.IsRecordReady()});
        }
    });
}

ReaderRig::~ReaderRig() {
    Finish();
}

bool ReaderRig::Consume() {
    bool any = false;
    PacketRecord record;
    while (video.Get(record)) {
        pictures_.push_back(Take(record));
        any = true;
    }
    while (audio.Get(record)) {
        audio_.push_back(Take(record));
        any = true;
    }
    return any;
}

bool ReaderRig::ConsumeUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        if (!Consume()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return true;
}

bool ReaderRig::TakePictures(std::size_t count) {
    // Exactly `count` pictures: the rest stays queued (ConsumeUntil would take all there is).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    PacketRecord record;
    while (pictures_.size() < count) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        if (video.Get(record)) {
            pictures_.push_back(Take(record));
            continue;
        }
        while (audio.Get(record)) {
            audio_.push_back(Take(record));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool ReaderRig::AwaitFullBuffer() const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!video.IsProducerWaiting() && !audio.IsProducerWaiting()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void ReaderRig::ConsumeFor(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    ConsumeUntil([&] { return std::chrono::steady_clock::now() >= end; });
}

bool ReaderRig::CarryOut(const std::function<void()>& request, Carried& carried) {
    sink.HoldSends();
    request();
    const bool sent = ConsumeUntil([this] { return sink.SendIsWaiting(); });
    Consume(); // the flush left nothing, and nothing new comes while the send waits
    carried.pictures_before = pictures_.size();
    carried.position = reader.CurrentPosition();
    carried.path = reader.CurrentPath();
    carried.gps_ready = gps.IsRecordReady();
    sink.ReleaseSends();
    return sent;
}

void ReaderRig::Finish() {
    video.Close();
    audio.Close();
    reader.Stop();
}

std::vector<SeenGpsText> ReaderRig::GpsTexts() const {
    std::lock_guard lock(gps_lock_);
    return gps_texts_;
}

std::vector<int> ReaderRig::Positions() const {
    std::vector<int> positions;
    for (const auto& record : sink.Records()) {
        if (record.target == MessageTarget::kPanel && record.message.id == kMessagePosition) {
            positions.push_back(static_cast<int>(record.message.wparam));
        }
    }
    return positions;
}

double ReaderSeconds(std::int64_t ticks) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ticks)) / 90000.0;
}

} // namespace korvex::test
