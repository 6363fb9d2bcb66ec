#include "video/video_ctx.h"

#include "engine/play_state.h"
#include "engine/video_packet_buffer.h"
#include "video/snapshot_name.h"
#include "video/speed_table.h"

#include <algorithm>

namespace korvex {
namespace {

constexpr double kStartRate = 60;
constexpr int kIdleMs = 10;

} // namespace

CVideoCtx::CVideoCtx(CVBuffer2& packets, PlayState& play_state, std::atomic<int>& display_mode,
                     AudioHold audio_hold, Clock& clock)
    : CMyThread(clock), packets_(packets), play_(play_state), display_mode_(display_mode),
      audio_hold_(std::move(audio_hold)) {}

CVideoCtx::~CVideoCtx() {
    Stop(kStopTimeoutMs);
    AwaitEnd();
    frames_.Release();
    decoder_.Close();
    presenter_.Release();
}

bool CVideoCtx::Start() {
    play_.SetVideoSize(0, 0);
    if (!PrepareOutput()) {
        return false;
    }
    stopping_ = false;
    return CMyThread::Start();
}

void CVideoCtx::Stop(int timeout_ms) {
    // The flag first, so that the woken worker sees it and does not wait again.
    stopping_ = true;
    play_.pacing_clock().Signal();
    if (StopThread(timeout_ms) && presenter_.HasSurface()) {
        presenter_.Clear(kBackground);
        presenter_.Present();
    }
    snapshots_.AwaitWritten();
}

int CVideoCtx::Run() {
    CFpsCtrl& pacing = play_.pacing_clock();
    double rate = pacing.SetRate(kStartRate);
    int count = 0; // non-key pictures since the last key picture
    int paced_speed = play_.Speed();
    pacing.Reset();
    PacketRecord packet;
    while (KeepGoing()) {
        ServiceRefresh();
        starved_.store(false);
        if (!packets_.Get(packet)) {
            starved_.store(true);
            SleepWhileRunning(kIdleMs);
            pacing.Reset(); // after a starvation the next picture goes out at once
            continue;
        }
        if (packet.after_flush) {
            decoder_.Flush(); // nothing from before a seek, switch or turn comes out after it
        }
        if (packet.type == kKeyPicture) {
            play_.SetGroupLength(count);
            count = 0;
        } else if (packet.type == kOtherPicture) {
            ++count;
        }
        const int speed = play_.Speed();
        if (packet.speed >= 0) {
            frames_.Discard();
        }
        if (SkipsGroupTails(speed) && count > play_.GroupLength() * GroupShare(speed)) {
            continue;
        }
        if (!DecodePacket(packet) || !QueuePicture(decoder_.PictureRecord())) {
            continue;
        }
        const int frame_rate = decoder_.PictureRecord().frame_rate;
        if (frame_rate != 0) {
            rate = frame_rate * RateMultiplier(speed);
        }
        // A new speed paces from now, not from a due time set at the old one.
        if (speed != paced_speed) {
            paced_speed = speed;
            pacing.Reset();
        }
        pacing.Wait(1000.0 / rate);
        if (!TransferPicture()) {
            continue;
        }
        needs_present_ = true;
        play_.CountShownPicture();
        if (picture_listener_) {
            picture_listener_({current_packet_, *presenter_.CurrentSurface(), pacing.DueMs()});
        }
        if (play_.IsPaused() || play_.Speed() == kSpeedStep) {
            HoldAfterPicture();
        }
        if (frame_rate != 0 && static_cast<int>(pacing.GetRate()) != frame_rate) {
            rate = pacing.SetRate(frame_rate);
        }
    }
    frames_.Discard();
    return 0;
}

bool CVideoCtx::PrepareOutput() {
    frames_.Release();
    int depth = decoder_.depth();
    const int width = play_.VideoWidth();
    const int height = play_.VideoHeight();
    if (width != 0 && height != 0) {
        if (output_ != presenter_.output() || width != decoder_.width() ||
            height != decoder_.height()) {
            presenter_.Release();
        }
        if (!presenter_.HasSurface()) {
            if (!presenter_.Init(output_, width, height)) {
                return false;
            }
            int yv12 = 0;
            if (!presenter_.Yv12Available()) {
                display_mode_.compare_exchange_strong(yv12, 1);
            }
        }
        presenter_.Clear(kBackground);
        depth = presenter_.RgbDepth();
    }
    return decoder_.Open(width, height, depth);
}

bool CVideoCtx::DecodePacket(const PacketRecord& packet) {
    if (!decoder_.Decode({packet.data, static_cast<std::size_t>(std::max(packet.size, 0))},
                         packet)) {
        return false;
    }
    const int width = decoder_.PictureWidth();
    const int height = decoder_.PictureHeight();
    if (presenter_.HasSurface() && width == play_.VideoWidth() && height == play_.VideoHeight()) {
        return true;
    }
    play_.SetVideoSize(width, height);
    if (!PrepareOutput()) {
        play_.SetVideoSize(0, 0); // the next picture tries again
        return false;
    }
    return true;
}

bool CVideoCtx::QueuePicture(const PacketRecord& packet) {
    current_ = decoder_.Picture();
    current_packet_ = packet;
    if (packet.speed >= 0) {
        return true;
    }
    const auto shown = frames_.Queue(packet, current_, play_.VideoWidth(), play_.VideoHeight());
    if (!shown) {
        return false;
    }
    current_ = shown->planes;
    current_packet_ = shown->record;
    return true;
}

bool CVideoCtx::TransferPicture() {
    const int width = play_.VideoWidth();
    const int height = play_.VideoHeight();
    if (display_mode_.load() == 0 && presenter_.Yv12Available()) {
        // Forward play shows the decoder's own picture, which a reference keeps unchanged.
        return presenter_.TransferYV12(
            current_, width, height, current_packet_.speed >= 0 ? decoder_.KeepPicture() : nullptr);
    }
    return presenter_.TransferRGB(decoder_.Converter(), current_, height);
}

void CVideoCtx::HoldAfterPicture() {
    audio_hold_(true);
    play_.EndSingleStep();
    while (KeepGoing() && (play_.IsPaused() || play_.Speed() == kSpeedHeld)) {
        needs_present_ = true;
        ServiceRefresh();
        SleepWhileRunning(kIdleMs);
    }
    audio_hold_(false);
    play_.pacing_clock().Reset();
}

void CVideoCtx::ServiceRefresh() {
    if (!presenter_.HasSurface()) {
        return;
    }
    // Only a transfer or a hold asks for a present, so the back buffer always holds a picture
    // of this run by then (it is cleared to the background whenever it is made).
    if (needs_present_) {
        needs_present_ = false;
        presenter_.Present();
    }
    if (const auto shot = play_.TakeSnapshotShot()) {
        SaveSnapshot(SnapshotShotPath(shot->base_path, shot->index));
    }
}

void CVideoCtx::SaveSnapshot(const std::filesystem::path& path) {
    if (const VideoSurface* picture = presenter_.CurrentSurface()) {
        snapshots_.Push(*picture, path);
    }
}

} // namespace korvex
